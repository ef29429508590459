#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "widgets/BrowseDirectoryDlg.h"
#include "widgets/QtDialogs.h"

namespace {

// Runs `inspect` on the confirmation box once it is open; `inspect` closes it.
platform::ConfirmAnswer AnswerConfirm(const std::function<void(QMessageBox*)>& inspect) {
    widgets::QtDialogs dialogs(QStringLiteral("Plumeric"));
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inspect(box);
    });
    return dialogs.Confirm(QStringLiteral("Button 1 filename \"home.gif\" exists, ok to ovewrite ?"));
}

QList<QPushButton*> ButtonsLeftToRight(QMessageBox* box) {
    QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
        return a->mapToGlobal(QPoint(0, 0)).x() < b->mapToGlobal(QPoint(0, 0)).x();
    });
    return buttons;
}

}  // namespace

TEST(QtDialogsTest, TheOverwritePromptShowsItsButtonsInOrderWithYesDefaultAndEscapeAnsweringNo) {
    QStringList order;
    QString defaultButton;
    QString title;
    const platform::ConfirmAnswer escaped = AnswerConfirm([&](QMessageBox* box) {
        title = box->windowTitle();
        for (QPushButton* b : ButtonsLeftToRight(box)) {
            order.append(b->text());
        }
        defaultButton = box->defaultButton() != nullptr ? box->defaultButton()->text() : QString();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(title, QStringLiteral("Confirm"));
    EXPECT_EQ(order, QStringList({"&Yes", "&No", "N&o to All", "Yes to &All"}));
    EXPECT_EQ(defaultButton, QStringLiteral("&Yes"));
    EXPECT_EQ(escaped, platform::ConfirmAnswer::No);

    // Each button gives its own answer.
    const QList<std::pair<int, platform::ConfirmAnswer>> clicks = {{0, platform::ConfirmAnswer::Yes},
                                                                   {1, platform::ConfirmAnswer::No},
                                                                   {2, platform::ConfirmAnswer::NoToAll},
                                                                   {3, platform::ConfirmAnswer::YesToAll}};
    for (const auto& [index, expected] : clicks) {
        const platform::ConfirmAnswer answer =
            AnswerConfirm([index](QMessageBox* box) { ButtonsLeftToRight(box)[index]->click(); });
        EXPECT_EQ(answer, expected) << index;
    }
    // Return takes the default button.
    EXPECT_EQ(AnswerConfirm([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }),
              platform::ConfirmAnswer::Yes);
}

namespace {

// Answers the open folder dialog with `pick` (or cancels it when empty), after checking it.
void AnswerFolderDialog(const QString& pick, QString* title, QString* startedIn) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        *title = dialog->windowTitle();
        *startedIn = dialog->directory().absolutePath();
        if (pick.isEmpty()) {
            dialog->reject();
        } else {
            dialog->setDirectory(pick);
            dialog->selectFile(pick);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        }
    });
}

}  // namespace

TEST(BrowseDirectoryDlgTest, ChoosesAFolderWholeWithItsSeparatorOrNothing) {
    QTemporaryDir dir;
    // A folder deeper than 260 characters.
    QString deep = dir.path();
    for (int i = 0; i < 6; ++i) {
        deep += "/" + QString(50, QChar(u'a' + i));
    }
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_GT(deep.size(), 260);

    widgets::TBrowseDirectoryDlg browse;
    browse.SetSelection(dir.path());
    EXPECT_EQ(browse.Selection(), dir.path() + "/");  // an existing folder gets its separator
    browse.SetSelection(dir.path() + "/missing");
    EXPECT_EQ(browse.Selection(), dir.path() + "/missing");  // anything else stays as written
    browse.SetSelection(dir.path());
    browse.SetCaption("Select Target Folder to save the buttons in");
    int created = 0;
    browse.OnCreate = [&](widgets::TBrowseDirectoryDlg& d) {
        ++created;
        EXPECT_NE(d.Dialog(), nullptr);
    };
    QString title;
    QString startedIn;
    AnswerFolderDialog(deep, &title, &startedIn);
    EXPECT_TRUE(browse.Execute());
    EXPECT_EQ(title, QStringLiteral("Select Target Folder to save the buttons in"));
    EXPECT_EQ(startedIn, dir.path());
    EXPECT_EQ(browse.Selection(), deep + "/");
    EXPECT_EQ(created, 1);
    EXPECT_EQ(browse.Dialog(), nullptr);

    AnswerFolderDialog(QString(), &title, &startedIn);
    EXPECT_FALSE(browse.Execute());
    EXPECT_TRUE(browse.Selection().isEmpty());
    EXPECT_EQ(startedIn, deep);  // it opened on the last choice

    // Through the program's dialogs: the same answer, and nothing when cancelled.
    widgets::QtDialogs dialogs(QStringLiteral("Plumeric"));
    AnswerFolderDialog(dir.path(), &title, &startedIn);
    EXPECT_EQ(dialogs.ChooseFolder("Select Target Folder to save the HTML files in", deep + "/"),
              std::optional<QString>(dir.path() + "/"));
    EXPECT_EQ(title, QStringLiteral("Select Target Folder to save the HTML files in"));
    EXPECT_EQ(startedIn, deep);
    AnswerFolderDialog(QString(), &title, &startedIn);
    EXPECT_EQ(dialogs.ChooseFolder("x", "/no/such/folder/"), std::nullopt);
    EXPECT_EQ(startedIn, QDir::homePath());  // a folder that is not there starts at the desktop's home

    EXPECT_EQ(widgets::TBrowseDirectoryDlg::RootFolder(widgets::idDrives), QStringLiteral("/"));
    EXPECT_EQ(widgets::TBrowseDirectoryDlg::RootFolder(widgets::idDesktop), QDir::homePath());
}
