#include <gtest/gtest.h>

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <csignal>

#include "TestSupport.h"
#include "app/Form1.h"
#include "app/SignalBridge.h"
#include "platform/Interrupt.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

// Closing the window when its settings cannot be written, and termination requests during a batch.
using app::TForm1;

namespace {

class Form1CloseTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::ClearInterrupt(); }
    QString DatFile() const { return dir.path() + "/KSDATA/PROJECTS/kestro.dat"; }
    QStringList Buttons() const {
        return QDir(dir.path() + "/KSDATA/BUTTONS").entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
};

// What the code under test writes to standard error while it runs.
template <typename F>
QByteArray StandardErrorOf(F&& body) {
    QTemporaryFile capture;
    EXPECT_TRUE(capture.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(capture.handle(), 2);
    body();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    return testsupport::ReadAll(capture.fileName());
}

}  // namespace

TEST_F(Form1CloseTest, SettingsThatCannotBeSavedAreReportedAndTheWindowClosesAllTheSame) {
    auto form = std::make_unique<TForm1>(dialogs, shell, dir.path());
    form->show();
    // Something the settings file cannot replace stands under its name.
    ASSERT_TRUE(QDir().mkpath(DatFile() + "/inside"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_EQ(dialogs.History()[0].text,
              "The settings could not be saved to \"" + DatFile() + "\": Is a directory.");
    EXPECT_TRUE(QFileInfo(DatFile() + "/inside").isDir());

    // A close that a termination request caused writes the text to standard error instead: no box
    // may hold up the end.
    // (The folder comes after the window is shown: a settings file that cannot be read at start is
    // never written.)
    dialogs.Clear();
    ASSERT_TRUE(QDir(DatFile()).removeRecursively());
    auto second = std::make_unique<TForm1>(dialogs, shell, dir.path());
    second->show();
    ASSERT_TRUE(QDir().mkpath(DatFile() + "/inside"));
    platform::RecordInterrupt(SIGTERM);
    const QByteArray err = StandardErrorOf([&] { second->close(); });
    EXPECT_TRUE(dialogs.History().isEmpty());
    EXPECT_EQ(err, "kestro: The settings could not be saved to \"" + DatFile().toLocal8Bit() +
                       "\": Is a directory.\n");
}

TEST_F(Form1CloseTest, ATerminationRequestStopsTheBatchAfterTheFileInHandThenClosesTheWindow) {
    auto form = std::make_unique<TForm1>(dialogs, shell, dir.path());
    form->show();
    form->Settings().captions.SetRowCount(8);  // seven captions, fourteen files
    form->Settings().statusReports = true;
    bool closing = false;
    // The bridge the program installs: the handler records the request; the event loop, once the
    // batch has returned, closes the window.
    app::SignalBridge bridge([&] {
        closing = true;
        form->close();
    });
    int files = 0;
    form->Batch().OnFileSaved = [&](const QString&, bool, qint64) {
        if (++files == 3) {
            ::raise(SIGTERM);
        }
    };
    form->SaveBatchButton->click();
    EXPECT_EQ(files, 3);
    EXPECT_EQ(Buttons(), (QStringList{"d_home.gif", "u_contacts.gif", "u_home.gif"}));
    EXPECT_FALSE(closing);                     // not while the batch ran
    EXPECT_TRUE(dialogs.History().isEmpty());  // no "saved" message, no report
    EXPECT_TRUE(shell.Opened().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/KSDATA/Report.txt"));
    for (int i = 0; i < 50 && !closing; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
    EXPECT_TRUE(closing);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(testsupport::ReadAll(DatFile()).contains("100,Contacts\r\n"));
}

TEST_F(Form1CloseTest, ATerminationRequestDuringAnOverwriteQuestionStopsTheBatchThere) {
    // The request comes while the question is open; the program's handler closes the box, which
    // answers No, as Escape does.
    class Interrupting : public platform::ScriptedDialogs {
      public:
        platform::ConfirmAnswer Confirm(const QString& text) override {
            ScriptedDialogs::Confirm(text);
            ::raise(SIGTERM);
            return platform::ConfirmAnswer::No;
        }
    } interrupting;
    auto form = std::make_unique<TForm1>(interrupting, shell, dir.path());
    form->show();
    form->Settings().captions.SetRowCount(4);  // Home, Contacts, Products
    form->Settings().overwritePrompt = true;
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/KSDATA/BUTTONS/d_home.gif", "the user's"));
    bool closing = false;
    app::SignalBridge bridge([&] { closing = true; });
    form->SaveBatchButton->click();
    EXPECT_EQ(Buttons(), (QStringList{"d_home.gif", "u_home.gif"}));
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/KSDATA/BUTTONS/d_home.gif"), QByteArray("the user's"));
    ASSERT_EQ(interrupting.History().size(), 1);  // the question only: no message after it
    EXPECT_EQ(interrupting.History()[0].kind, platform::ScriptedDialogs::Kind::Confirm);
    EXPECT_TRUE(form->Batch().Stopped());
    for (int i = 0; i < 50 && !closing; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
    EXPECT_TRUE(closing);
}
