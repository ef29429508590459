#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include "TestSupport.h"
#include "app/AdvancedForm.h"
#include "app/Form1.h"
#include "app/HelpPage.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

namespace {

// A control's text as the user reads it: "&" marks the next letter, "&&" is one "&"; the blanks
// some labels carry at the end are no part of it.
QString ShownLabel(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                shown += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        shown += text[i];
    }
    return shown.trimmed();
}

// Every text that names a control of the window and of the advanced options dialog: labels,
// buttons and boxes, group titles and page tabs.
QStringList ControlLabels(const QList<QWidget*>& roots) {
    QStringList labels;
    QSet<QString> seen;
    const auto add = [&](const QString& text) {
        const QString shown = ShownLabel(text);
        if (!shown.isEmpty() && !seen.contains(shown)) {
            seen.insert(shown);
            labels.append(shown);
        }
    };
    for (QWidget* root : roots) {
        for (const QLabel* label : root->findChildren<QLabel*>()) {
            add(label->text());
        }
        for (const QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
            add(button->text());
        }
        for (const QGroupBox* group : root->findChildren<QGroupBox*>()) {
            add(group->title());
        }
        for (const QTabWidget* tabs : root->findChildren<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(tabs->tabText(i));
            }
        }
    }
    return labels;
}

// The help page's text with its markup gone and its character references read.
QString HelpText() {
    QString html = QString::fromUtf8(testsupport::ReadAll(QStringLiteral(PLUMERIC_HELP_PAGE)));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

}  // namespace

TEST(Help, TheHelpPageNamesEveryControlOfTheWindowByItsLabel) {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    app::TForm1 form(dialogs, shell, dir.path());
    form.show();
    form.Timer1->stop();
    // The status bar and the pictures are no controls; the welcome text is read below.
    const QString status = form.StatusText();
    QStringList labels = ControlLabels({&form, &form.AdvancedForm()});
    labels.removeAll(ShownLabel(status));
    ASSERT_GT(labels.size(), 60);
    // What a batch's button reads while it runs.
    labels.append(QStringLiteral("Stop"));

    const QString help = HelpText();
    ASSERT_FALSE(help.isEmpty()) << PLUMERIC_HELP_PAGE;
    QStringList missing;
    for (const QString& label : labels) {
        if (!help.contains(label.simplified())) {
            missing.append(label);
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(" | ")).toStdString();

    // The help also explains the captions' "&", and kestro-batch with each of its options.
    EXPECT_TRUE(
        help.contains("\"&\" in a caption underlines the letter after it, and \"&&\" writes one \"&\""));
    for (const char* option :
         {"--captions", "--out", "--html-out", "--format", "--html", "--report", "--keep-existing", "--quiet",
          "--smooth", "--dither", "--pressed", "--scale", "--page-style", "--latin-names", "--smooth-shapes",
          "--threads", "--help", "--version"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }

    // The Help page's own text lists what the program does, the later choices included.
    const QString welcome = form.helpPage->welcomeText->toPlainText().simplified();
    for (const char* choice : {"Shape and Fill", "Save Buttons", "Preview in web browser", "Stop",
                               "Open settings\u2026", "Save settings as\u2026", "Latin file names",
                               "Also write images for high-density screens (2\u00d7)", "Smooth caption edges",
                               "Also write pressed images", "Page style", "PNG", "WebP", "kestro-batch",
                               "View Help File", "\"&&\""}) {
        EXPECT_TRUE(welcome.contains(QString::fromUtf8(choice))) << choice;
    }
}
