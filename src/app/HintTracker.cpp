#include "app/HintTracker.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QVariant>
#include <QWidget>

namespace app {
namespace {

constexpr char kHintProperty[] = "plumericHint";
constexpr char kHintDisplayProperty[] = "plumericHintDisplay";
constexpr char kOwnToolTipProperty[] = "plumericOwnToolTip";

bool IsInHintDisplay(const QObject* object) {
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        if (o->property(kHintDisplayProperty).toBool()) {
            return true;
        }
    }
    return false;
}

}  // namespace

void SetHint(QWidget* widget, const QString& hint) {
    widget->setProperty(kHintProperty, hint);
}

void SetOwnToolTip(QWidget* widget) {
    widget->setProperty(kOwnToolTipProperty, true);
}

void SetHintDisplay(QWidget* widget) {
    widget->setProperty(kHintDisplayProperty, true);
}

QString OwnHint(const QWidget* widget) {
    return widget->property(kHintProperty).toString();
}

QString EffectiveHint(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QString hint = OwnHint(w);
        if (!hint.isEmpty()) {
            return hint;
        }
    }
    return {};
}

HintTracker::HintTracker(HintSink sink, QObject* parent) : QObject(parent), sink_(std::move(sink)) {}

void HintTracker::MouseOver(const QWidget* widget) {
    if (IsInHintDisplay(widget)) {
        return;  // the hint stays while the mouse reads it
    }
    const QString hint = EffectiveHint(widget);
    if (hint != current_) {
        current_ = hint;
        sink_(current_);
    }
}

bool HintTracker::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter:
            if (watched->isWidgetType()) {
                MouseOver(static_cast<QWidget*>(watched));
            }
            break;
        case QEvent::MouseMove:
            // A move that a control ignores travels on to its parents: the control under the mouse
            // is the one whose hint counts.
            if (watched->isWidgetType()) {
                const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                const QWidget* under = QApplication::widgetAt(global);
                MouseOver(under != nullptr ? under : static_cast<QWidget*>(watched));
            }
            break;
        case QEvent::Leave:
            MouseOver(QApplication::widgetAt(QCursor::pos()));
            break;
        case QEvent::ToolTip:
            // Hints go to the status bar, never into pop-ups; the status bar may show its own, and
            // so may a control marked to show its own.
            return !IsInHintDisplay(watched) && !watched->property(kOwnToolTipProperty).toBool();
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace app
