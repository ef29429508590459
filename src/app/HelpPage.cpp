#include "app/HelpPage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/Form1.h"
#include "app/HintTracker.h"

namespace app {
namespace {

const char kWelcomeText[] =
    "Welcome to Plumeric.\n\n"
    "Plumeric makes the graphical buttons of a web site's navigation bar. Describe two kinds of "
    "button: type 1 is the image shown normally, type 2 the image swapped in while the mouse is over "
    "the button (type 2 can be disabled).\n\n"
    "On the Buttons page choose each type's background (a bitmap or a colour), its size and its "
    "border; on the Shape and Fill page its shape and a gradient fill; on the Font page the caption's font, "
    "colour and effect; on the Allignment page where the caption sits. Type the captions of your buttons "
    "on the Caption List page; a button whose Link is given there leads to that link instead of to its "
    "own page. \"&\" in a caption underlines the letter after it, and \"&&\" writes one \"&\".\n\n"
    "\"Save Buttons\" writes one file per caption and type, as Windows bitmaps, GIF, PNG or WebP files, "
    "into the target folder chosen on the File page. \"Preview in web browser\" also writes HTML pages "
    "whose buttons change when the mouse moves over them, and opens them in your browser. While either "
    "runs, its button reads \"Stop\" and stops it.\n\n"
    "On the File page, \"Latin file names\" names the files of captions in any script in Latin letters, "
    "and \"Open settings\u2026\" and \"Save settings as\u2026\" keep the settings of several sites in "
    "files of their own. \"Advanced\" holds the file names' style, the status reports, \"Smooth caption "
    "edges\", \"Also write images for high-density screens (2\u00d7)\" and \"Also write pressed images\" "
    "(each button also as it looks pressed); the HTML page holds the pages' "
    "settings and their \"Page style\", with or without a script.\n\n"
    "kestro-batch saves the same files from the command line (kestro-batch --help lists its options).\n\n"
    "Everything you set is kept for the next time you start Plumeric. \"View Help File\" tells more.";

QPixmap LargeHelpPicture() {
    QPixmap pix(240, 150);
    pix.fill(QColor(0, 0x30, 0));
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QStringList captions = {QStringLiteral("Home"), QStringLiteral("Products"),
                                  QStringLiteral("Links")};
    for (int i = 0; i < captions.size(); ++i) {
        const QRect r(40, 24 + i * 40, 160, 28);
        p.setBrush(i == 1 ? QColor(0, 0, 0) : QColor(255, 255, 255));
        p.setPen(QColor(128, 128, 128));
        p.drawRoundedRect(r, 6, 6);
        p.setPen(i == 1 ? QColor(255, 255, 255) : QColor(0, 0, 0));
        p.drawText(r, Qt::AlignCenter, captions[i]);
    }
    return pix;
}

QPixmap SmallHelpPicture() {
    QPixmap pix(33, 24);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 220, 0));
    p.setPen(Qt::NoPen);
    // An arrow pointer over the highlighted button.
    const QPoint arrow[] = {{2, 2}, {2, 20}, {7, 15}, {11, 22}, {14, 21}, {10, 14}, {17, 14}};
    p.drawPolygon(arrow, 7);
    return pix;
}

}  // namespace

THelpPage::THelpPage(TForm1& form, QWidget* parent) : TSettingsPage(form, parent) {
    auto* layout = new QHBoxLayout(this);
    welcomeText = new QTextEdit(this);
    welcomeText->setReadOnly(true);
    welcomeText->setPlainText(QString::fromUtf8(kWelcomeText));

    auto* pictures = new QWidget(this);
    auto* pictureColumn = new QVBoxLayout(pictures);
    auto* pictureBox = new QWidget(pictures);
    const QPixmap large = LargeHelpPicture();
    pictureBox->setFixedSize(large.size());
    Image4 = new QLabel(pictureBox);
    Image4->setPixmap(large);
    Image4->setFixedSize(large.size());
    Image4->setMouseTracking(true);
    Image7 = new QLabel(pictureBox);
    Image7->setPixmap(SmallHelpPicture());
    Image7->setGeometry(kSmallPictureX, kSmallPictureY, 33, 24);
    Image7->setMouseTracking(true);
    Image7->raise();
    Image7->hide();
    Image4->installEventFilter(this);
    Image7->installEventFilter(this);

    ViewHelpButton = new QPushButton(QStringLiteral("&View Help File"), pictures);
    SetHint(ViewHelpButton, QStringLiteral("View the help files."));
    pictureColumn->addWidget(pictureBox);
    pictureColumn->addWidget(ViewHelpButton);
    pictureColumn->addStretch(1);
    On(ViewHelpButton, &QPushButton::clicked, [this] { form_.viewhelpBitBtnClick(); });

    layout->addWidget(welcomeText, 1);
    layout->addWidget(pictures);
}

bool THelpPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == Image4 || watched == Image7)) {
        form_.Guarded([this] { form_.Image4MouseMove(); });
    }
    return TSettingsPage::eventFilter(watched, event);
}

}  // namespace app
