#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// Control hints shown in the status bar: the hint of the control under the mouse or, when it has
// none, of its nearest enclosing control that has one; empty when none has. The sink is called only
// when the current hint changes. Tool-tip pop-ups are used only by the control that shows the hints
// and by the controls marked to show their own.
namespace app {

void SetHint(QWidget* widget, const QString& hint);
QString OwnHint(const QWidget* widget);
// The hint that applies to a control: its own, or that of its nearest enclosing control with one.
QString EffectiveHint(const QWidget* widget);

// Marks the control that shows the hints (the status bar): the mouse over it or its children keeps
// the hint shown, and their tool tips are let through, so a hint too long for it can be read whole.
void SetHintDisplay(QWidget* widget);

// Marks a control whose own tool tip is let through: a label whose text is elided shows all of it.
void SetOwnToolTip(QWidget* widget);

class HintTracker : public QObject {
  public:
    using HintSink = std::function<void(const QString&)>;

    HintTracker(HintSink sink, QObject* parent = nullptr);

    // Makes `widget` the control under the mouse.
    void MouseOver(const QWidget* widget);
    const QString& CurrentHint() const { return current_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    HintSink sink_;
    QString current_;
};

}  // namespace app
