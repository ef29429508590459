#include "widgets/PathEdit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace widgets {
namespace {

// The space a line edit keeps between its frame and its text on either side.
constexpr int kHorizontalTextMargin = 2;

}  // namespace

TPathEdit::TPathEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
}

QRect TPathEdit::TextRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    r = r.marginsRemoved(textMargins());
    return r.adjusted(kHorizontalTextMargin, 0, -kHorizontalTextMargin, 0);
}

QString TPathEdit::DisplayedText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, TextRect().width());
}

void TPathEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::Text));
    painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter, DisplayedText());
}

}  // namespace widgets
