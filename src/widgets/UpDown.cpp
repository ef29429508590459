#include "widgets/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace widgets {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        column->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { StepUp(); });
    connect(down_, &QToolButton::clicked, this, [this] { StepDown(); });
}

void TUpDown::SetPosition(int position) {
    position_ = std::clamp(position, min_, max_);
}

void TUpDown::StepUp() {
    Step(1);
}

void TUpDown::StepDown() {
    Step(-1);
}

void TUpDown::Step(int delta) {
    const int next = std::clamp(position_ + delta, min_, max_);
    if (next == position_) {
        return;
    }
    position_ = next;
    if (onChange_) {
        onChange_(position_);
    }
}

}  // namespace widgets
