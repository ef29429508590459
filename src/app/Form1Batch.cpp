#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "app/Form1.h"
#include "compose/ButtonComposer.h"
#include "render/LumoButton.h"

// The window while "&Save Buttons" or "&Preview in web browser" runs: the progress in the status bar
// and the previews, the "&Stop" button and Escape, the controls that wait for the batch to end.
namespace app {

void TForm1::ShowBatchProgress(int current, int total, const QString& caption) {
    batchCurrent_ = current;
    batchTotal_ = total;
    // Painting costs time: the bar and the previews are brought up to date at most every
    // kProgressIntervalMs, and always for the first and the last caption. The files are rendered
    // apart from the previews, which show the caption being saved on these frames only.
    showSavedFaces_ = current == 1 || current == total || !progressClock_.isValid() ||
                      progressClock_.elapsed() >= kProgressIntervalMs;
    if (!showSavedFaces_) {
        return;
    }
    progressClock_.start();
    // The faces come from the batch's plan: the settings are not applied again for them.
    if (const compose::BatchPlan* plan = composer_->LastPlan()) {
        ShowFaces(plan->Face(settings::kType1, caption, 1), plan->Face(settings::kType2, caption, 1));
    }
    ShowStatus(output::ProgressText(current, total));
    statusPanel_->repaint();
    // The "&Stop" button, Escape and closing the window are heard on these frames.
    QCoreApplication::processEvents();
}

void TForm1::StartBatchStatus() {
    progressClock_.invalidate();
    batchCurrent_ = batchTotal_ = filesWritten_ = filesKept_ = outsideShape_ = lastOutsideShape_ = 0;
}

void TForm1::ShowBatchSummary() {
    // Nothing to say when no caption was reached: the refusal's box said why.
    if (batchTotal_ == 0) {
        return;
    }
    if (batch_.Stopped()) {
        ShowStatus(
            output::StoppedText(static_cast<int>(batch_.SavedButtons().size()), batchTotal_, filesWritten_));
        return;
    }
    ShowStatus(output::BatchSummaryText(batch_.LastBatchSaved(), batchCurrent_, batchTotal_, filesWritten_,
                                        filesKept_) +
               (outsideShape_ > 0 ? output::OutsideShapeText(outsideShape_) : QString()) + AccessStatus());
}

QString TForm1::AccessStatus() const {
    // While "Check contrast and size" is on, a batch that wrote images says how many fall short.
    const QList<output::AccessRecord>& records = batch_.AccessRecords();
    if (!settings_.checkAccess || records.isEmpty()) {
        return {};
    }
    return output::AccessStatusText(output::ShortCount(records), static_cast<int>(records.size()));
}

void TForm1::LockControls(QPushButton* running) {
    lockedControls_.clear();
    QList<QWidget*> controls = {TextEdit, SaveBatchButton, generatehtmlbutton};
    // The pages can still be looked at; nothing on them can be changed.
    for (int i = 0; i < PageControl1->count(); ++i) {
        controls.append(PageControl1->widget(i));
    }
    for (QWidget* control : controls) {
        if (control != running && control->isEnabled()) {
            control->setEnabled(false);
            lockedControls_.append(control);
        }
    }
}

void TForm1::UnlockControls() {
    for (const QPointer<QWidget>& control : std::as_const(lockedControls_)) {
        if (control) {
            control->setEnabled(true);
        }
    }
    lockedControls_.clear();
}

void TForm1::StopBatch() {
    if (batchRunning_) {
        batch_.RequestStop();
    }
}

void TForm1::RunBatch(QPushButton* button, const std::function<void()>& run) {
    StartBatchStatus();
    batchRunning_ = true;
    closeAfterBatch_ = false;
    runningButton_ = button;
    runningText_ = button->text();
    button->setText(QStringLiteral("&Stop"));
    LockControls(button);
    stopShortcut_->setEnabled(true);
    // Whatever ends the run, an error included, the controls come back and the previews show the
    // composer's faces again.
    const auto done = qScopeGuard([this] {
        ReleaseControls();
        ShowComposedFaces();
        if (closeAfterBatch_) {
            closeAfterBatch_ = false;
            QTimer::singleShot(0, this, &QWidget::close);
        }
    });
    run();
}

void TForm1::ReleaseControls() {
    if (runningButton_ == nullptr) {
        return;
    }
    batchRunning_ = false;
    showSavedFaces_ = false;
    stopShortcut_->setEnabled(false);
    runningButton_->setText(runningText_);
    runningButton_ = nullptr;
    UnlockControls();
}

void TForm1::SaveBatchButtonClick() {
    if (batchRunning_) {
        StopBatch();
        return;
    }
    RunBatch(SaveBatchButton, [this] { batch_.SaveBatchButtonClick(); });
}

void TForm1::generatehtmlbuttonClick() {
    if (batchRunning_) {
        StopBatch();
        return;
    }
    RunBatch(generatehtmlbutton, [this] { pages_.generatehtmlbuttonClick(); });
    ShowBatchSummary();
}

}  // namespace app
