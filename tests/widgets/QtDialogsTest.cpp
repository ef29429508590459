#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

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
