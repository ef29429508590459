#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "SmallFileSystem.h"
#include "TestSupport.h"
#include "platform/FileWriting.h"
#include "platform/Interrupt.h"

using namespace platform;

namespace {

QStringList Listing(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The write the file writer uses, replaced for one test: `during` runs before each write, and
// `limit` cuts every write short (0: no limit); `failAfter` writes fail with ENOSPC once that many
// bytes went through (-1: never).
struct InjectedWrite {
    static inline std::function<void()> during;
    static inline qsizetype limit = 0;
    static inline qsizetype failAfter = -1;
    static inline qsizetype total = 0;

    static ssize_t Write(int fd, const void* data, size_t size, off_t offset) {
        if (during) {
            during();
        }
        if (failAfter >= 0 && total >= failAfter) {
            errno = ENOSPC;
            return -1;
        }
        if (limit > 0 && size > static_cast<size_t>(limit)) {
            size = static_cast<size_t>(limit);
        }
        const ssize_t n = ::pwrite(fd, data, size, offset);
        total += n > 0 ? n : 0;
        return n;
    }

    InjectedWrite() { SetWriteFunctionForTests(&Write); }
    ~InjectedWrite() {
        SetWriteFunctionForTests(nullptr);
        during = nullptr;
        limit = 0;
        failAfter = -1;
        total = 0;
    }
    InjectedWrite(const InjectedWrite&) = delete;
    InjectedWrite& operator=(const InjectedWrite&) = delete;
};

}  // namespace

TEST(FileWriting, ANewFileAppearsOnlyWholeAndAReplacementGoesThroughANamedTemporary) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/u_home.gif";
    QStringList seenWhileWriting;
    InjectedWrite injected;
    InjectedWrite::during = [&] { seenWhileWriting = Listing(tmp.path()); };

    // New: while its bytes are written nothing at all is in the folder (an unnamed temporary).
    ASSERT_TRUE(ReplaceFile(file, "new file"));
    EXPECT_TRUE(seenWhileWriting.isEmpty()) << seenWhileWriting.join(' ').toStdString();
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("new file"));
    EXPECT_EQ(ModeOf(file), NewFileMode());

    // Replaced: a named temporary of this process beside it, then one rename; the old file keeps its
    // permission bits.
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(ReplaceFile(file, "replaced, and longer than before"));
    ASSERT_EQ(seenWhileWriting.size(), 2) << seenWhileWriting.join(' ').toStdString();
    const QString temporary = seenWhileWriting.at(0);
    EXPECT_TRUE(temporary.startsWith(QStringLiteral(".kestro-%1-").arg(::getpid())))
        << temporary.toStdString();
    EXPECT_TRUE(temporary.endsWith(".tmp"));
    EXPECT_TRUE(IsTemporaryName(temporary));
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("replaced, and longer than before"));
    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_EQ(Listing(tmp.path()), QStringList{"u_home.gif"});
}

TEST(FileWriting, WhereUnnamedTemporariesAreRefusedANewFileGoesThroughANamedOne) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/u_home.gif";
    QStringList seenWhileWriting;
    InjectedWrite injected;
    InjectedWrite::during = [&] { seenWhileWriting = Listing(tmp.path()); };
    RefuseUnnamedTemporariesForTests(true);
    const bool written = ReplaceFile(file, "new file");
    RefuseUnnamedTemporariesForTests(false);
    ASSERT_TRUE(written);
    ASSERT_EQ(seenWhileWriting.size(), 1);
    EXPECT_TRUE(IsTemporaryName(seenWhileWriting.at(0))) << seenWhileWriting.at(0).toStdString();
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("new file"));
    EXPECT_EQ(ModeOf(file), NewFileMode());
    EXPECT_EQ(Listing(tmp.path()), QStringList{"u_home.gif"});
}

TEST(FileWriting, ANameTakenWhileANewFileIsWrittenIsReplaced) {
    // Another run writes the same name between this run's look and its link: the file goes the
    // replace way and the last writer wins, whole.
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/d_home.gif";
    InjectedWrite injected;
    InjectedWrite::during = [&] {
        if (!QFile::exists(file)) {
            testsupport::WriteAll(file, "the other run's");
        }
    };
    QString reason;
    ASSERT_TRUE(ReplaceFile(file, "this run's", &reason)) << reason.toStdString();
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("this run's"));
    EXPECT_EQ(Listing(tmp.path()), QStringList{"d_home.gif"});
}

TEST(FileWriting, AShortWriteOrAFullDiskKeepsTheOldFileAndGivesTheReason) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/kestro.dat";
    ASSERT_TRUE(testsupport::WriteAll(file, "the good settings"));
    const QByteArray content(44 * 1024, 'x');
    {
        // Short writes alone are completed by the writes after them.
        InjectedWrite injected;
        InjectedWrite::limit = 12288;
        ASSERT_TRUE(ReplaceFile(tmp.path() + "/other.dat", content));
        EXPECT_EQ(testsupport::ReadAll(tmp.path() + "/other.dat"), content);
        ASSERT_TRUE(QFile::remove(tmp.path() + "/other.dat"));
    }
    {
        // A short write, then a full disk: the first write took 12,288 bytes, the second failed.
        InjectedWrite injected;
        InjectedWrite::limit = 12288;
        InjectedWrite::failAfter = 12288;
        QString reason;
        EXPECT_FALSE(ReplaceFile(file, content, &reason));
        EXPECT_EQ(reason, "No space left on device");
        EXPECT_EQ(testsupport::ReadAll(file), QByteArray("the good settings"));
        EXPECT_EQ(Listing(tmp.path()), QStringList{"kestro.dat"});
        // The same for a new file: nothing is left under its name.
        InjectedWrite::total = 0;
        EXPECT_FALSE(ReplaceFile(tmp.path() + "/new.dat", content, &reason));
        EXPECT_EQ(reason, "No space left on device");
        EXPECT_EQ(Listing(tmp.path()), QStringList{"kestro.dat"});
    }
    {
        // A write that takes nothing without an error fails too, rather than looping.
        InjectedWrite injected;
        SetWriteFunctionForTests([](int, const void*, size_t, off_t) -> ssize_t { return 0; });
        QString reason;
        EXPECT_FALSE(ReplaceFile(file, "x", &reason));
        EXPECT_EQ(reason, "Input/output error");
        EXPECT_EQ(testsupport::ReadAll(file), QByteArray("the good settings"));
    }
    EXPECT_EQ(CannotWriteText("/a/b.gif", "No space left on device"),
              "Cannot write file \"/a/b.gif\": No space left on device");
    EXPECT_EQ(FailureLine("home.htm", "Is a directory"), "\"home.htm\": Is a directory");
}

TEST(FileWriting, ARealFullFileSystemKeepsTheOldFile) {
    QTemporaryDir tmp;
    testsupport::SmallFileSystem small(tmp.path(), 16);
    if (!small.Mounted()) {
        GTEST_SKIP() << small.SkipReason();
    }
    const QString file = tmp.path() + "/kestro.dat";
    ASSERT_TRUE(ReplaceFile(file, QByteArray(20000, 'g')));
    small.FillLeaving(3);  // about 12 KB free
    QString reason;
    EXPECT_FALSE(ReplaceFile(file, QByteArray(44 * 1024, 'n'), &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray(20000, 'g'));
    EXPECT_FALSE(ReplaceFile(tmp.path() + "/new.dat", QByteArray(44 * 1024, 'n'), &reason));
    EXPECT_EQ(Listing(tmp.path()), (QStringList{".filler", "kestro.dat"}));
    // What fits is still written.
    EXPECT_TRUE(ReplaceFile(file, QByteArray(4000, 's')));
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray(4000, 's'));
}

TEST(FileWriting, PlantedLinksAreNeverFollowed) {
    QTemporaryDir tmp;
    const QString outside = tmp.path() + "/outside.txt";
    ASSERT_TRUE(testsupport::WriteAll(outside, "precious"));
    ASSERT_TRUE(QDir(tmp.path()).mkdir("out"));
    const QString out = tmp.path() + "/out/";
    // Links under the names older versions wrote through, and under the target itself.
    for (const char* name : {"test.$$$", "runtest.$$$", "u_home.gif.part", "linked.gif"}) {
        ASSERT_TRUE(QFile::link(outside, out + name)) << name;
    }
    ASSERT_TRUE(ReplaceFile(out + "u_home.gif", "gif"));
    ASSERT_TRUE(ReplaceFile(out + "u_home.gif", "gif again"));
    EXPECT_TRUE(TestFolder(out, "Test line"));
    // A link that is itself the target is replaced by the file; what it points to is never written.
    ASSERT_TRUE(ReplaceFile(out + "linked.gif", "new linked"));
    EXPECT_FALSE(QFileInfo(out + "linked.gif").isSymLink());
    EXPECT_EQ(testsupport::ReadAll(out + "linked.gif"), QByteArray("new linked"));

    EXPECT_EQ(testsupport::ReadAll(outside), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(out + "u_home.gif").isSymLink());
    EXPECT_EQ(testsupport::ReadAll(out + "u_home.gif"), QByteArray("gif again"));
    for (const char* name : {"test.$$$", "runtest.$$$", "u_home.gif.part"}) {
        EXPECT_TRUE(QFileInfo(out + name).isSymLink()) << name;
    }
    EXPECT_EQ(Listing(out),
              (QStringList{"linked.gif", "runtest.$$$", "test.$$$", "u_home.gif", "u_home.gif.part"}));
}

TEST(FileWriting, ProtectedFilesAndFoldersUnderTheNameAreRefused) {
    QTemporaryDir tmp;
    const QString readOnly = tmp.path() + "/read-only.gif";
    ASSERT_TRUE(testsupport::WriteAll(readOnly, "kept"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner));
    QString reason;
    EXPECT_FALSE(ReplaceFile(readOnly, "again", &reason));
    EXPECT_EQ(reason, "Permission denied");
    EXPECT_EQ(testsupport::ReadAll(readOnly), QByteArray("kept"));

    ASSERT_TRUE(QDir(tmp.path()).mkpath("taken.gif/inside"));
    EXPECT_FALSE(ReplaceFile(tmp.path() + "/taken.gif", "x", &reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_TRUE(QFileInfo(tmp.path() + "/taken.gif/inside").isDir());

    EXPECT_FALSE(ReplaceFile(tmp.path() + "/missing/x.gif", "x", &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(Listing(tmp.path()), (QStringList{"read-only.gif", "taken.gif"}));
}

TEST(FileWriting, TheFolderTestLeavesNothingAndFailsWhereNoFileCanBeMade) {
    QTemporaryDir tmp;
    QStringList seen;
    QByteArray written;
    {
        InjectedWrite injected;
        InjectedWrite::during = [&] { seen = Listing(tmp.path()); };
        EXPECT_TRUE(TestFolder(tmp.path() + "/", "Test file line\r\n"));
    }
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen.at(0).startsWith(QStringLiteral(".kestro-%1-").arg(::getpid())));
    EXPECT_TRUE(seen.at(0).endsWith(".$$$"));
    EXPECT_TRUE(Listing(tmp.path()).isEmpty());
    EXPECT_FALSE(TestFolder(tmp.path() + "/missing/", "x"));
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/file", "x"));
    EXPECT_FALSE(TestFolder(tmp.path() + "/file/", "x"));
}

TEST(FileWriting, TheSweepRemovesOnlyLeftoversThatAreRegularFiles) {
    QTemporaryDir tmp;
    const QString d = tmp.path() + "/";
    // A process that has ended: its id is not running now.
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString dead = QString::number(child);
    const QString alive = QString::number(::getppid());
    const QString own = QString::number(::getpid());
    const QStringList removed = {".kestro-" + dead + "-a1b2c3.tmp",
                                 ".kestro-" + dead + "-zz.$$$",
                                 ".kestro-" + own + "-old111.tmp",
                                 "test.$$$",
                                 "runtest.$$$",
                                 "u_home.gif.part"};
    const QStringList kept = {".kestro-" + alive + "-a1b2c3.tmp",  // its process still runs
                              ".kestro-" + own + "-new111.$$$",    // this process's own, made after it began
                              "v_home.gif.part",                   // no "v_home.gif" beside it
                              ".kestro-" + dead + "-a.b.tmp",      // not a name of ours
                              ".kestro-x-abc.tmp",
                              "u_home.gif",
                              "test.txt"};
    for (const QString& name : removed + kept) {
        ASSERT_TRUE(testsupport::WriteAll(d + name, "x")) << name.toStdString();
    }
    // This process's id on a file older than this process: another process had the id before.
    const timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(d + ".kestro-" + own + "-old111.tmp").constData(), hourAgo), 0);
    // Links and folders under leftover names are never touched.
    ASSERT_TRUE(QFile::link(d + "test.txt", d + "w.gif.part"));
    ASSERT_TRUE(QFile::link(d + "test.txt", d + "w.gif"));
    ASSERT_TRUE(QFile::link(d + "test.txt", d + ".kestro-" + dead + "-link01.tmp"));
    ASSERT_TRUE(QDir(d).mkdir(".kestro-" + dead + "-dir001.tmp"));

    EXPECT_EQ(SweepLeftovers(tmp.path()), removed.size());
    QStringList expected = kept;
    expected << "w.gif.part"
             << "w.gif"
             << ".kestro-" + dead + "-link01.tmp"
             << ".kestro-" + dead + "-dir001.tmp";
    expected.sort();
    EXPECT_EQ(Listing(d), expected);
    EXPECT_EQ(SweepLeftovers(d + "missing"), 0);
}

TEST(FileWriting, AnInterruptedWriteIsAbandonedWhereAskedAndFinishedOtherwise) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/u_home.gif";
    ASSERT_TRUE(testsupport::WriteAll(file, "old"));
    InjectedWrite injected;
    InjectedWrite::during = [] { RecordInterrupt(SIGTERM); };
    // The window finishes the file in hand.
    ASSERT_TRUE(ReplaceFile(file, "finished"));
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("finished"));
    EXPECT_EQ(InterruptSignal(), SIGTERM);
    RecordInterrupt(SIGINT);
    EXPECT_EQ(InterruptSignal(), SIGTERM);  // the first request counts
    // kestro-batch abandons it: the old file stays, a new one never appears, nothing is left.
    SetAbandonOnInterrupt(true);
    QString reason;
    EXPECT_FALSE(ReplaceFile(file, "abandoned", &reason));
    EXPECT_EQ(reason, "Interrupted system call");
    EXPECT_FALSE(ReplaceFile(tmp.path() + "/d_home.gif", "abandoned"));
    SetAbandonOnInterrupt(false);
    ClearInterrupt();
    EXPECT_EQ(InterruptSignal(), 0);
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("finished"));
    EXPECT_EQ(Listing(tmp.path()), QStringList{"u_home.gif"});
}
