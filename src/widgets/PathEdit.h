#pragma once

#include <QLineEdit>

namespace widgets {

// A read-only field that holds a whole file path but shows it shortened in the middle when it does
// not fit, so both the start of the folder and the file name stay readable. Its text — what the
// program reads, stores and starts dialogs from — is always the whole path.
class TPathEdit : public QLineEdit {
  public:
    explicit TPathEdit(QWidget* parent = nullptr);

    // What the field shows at its present width.
    QString DisplayedText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect TextRect() const;
};

}  // namespace widgets
