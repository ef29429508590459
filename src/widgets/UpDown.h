#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace widgets {

// A pair of small arrows that step a position within a range, one at a time. The main window couples
// each pair to its integer field.
class TUpDown : public QWidget {
  public:
    static constexpr int kDefaultMin = -2000;
    static constexpr int kDefaultMax = 2000;

    explicit TUpDown(QWidget* parent = nullptr);

    int Position() const { return position_; }
    // Sets the position, kept inside the range; does not call the change handler.
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }

    // Called with the new position when an arrow moves it.
    void SetOnChange(std::function<void(int)> handler) { onChange_ = std::move(handler); }

    void StepUp();
    void StepDown();

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  private:
    void Step(int delta);

    int min_ = kDefaultMin;
    int max_ = kDefaultMax;
    int position_ = 0;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    std::function<void(int)> onChange_;
};

}  // namespace widgets
