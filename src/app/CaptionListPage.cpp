#include "app/CaptionListPage.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/CaptionGridModel.h"
#include "app/Form1.h"
#include "app/HintTracker.h"
#include "output/CaptionNaming.h"

namespace app {
namespace {

constexpr int kGridRowHeight = 16;
constexpr int kGridColumnWidths[settings::CaptionGrid::kColumns] = {178, 186, 194, 166, 166};
constexpr char kEditorColumnProperty[] = "plumericCaptionColumn";
constexpr char kPasteText[] = "&Paste";

// Commits every edit of a caption cell as it is typed, so the caption list always holds what the
// user sees, and passes the editor's keys to the grid's key handler.
class CaptionEditorDelegate : public QStyledItemDelegate {
  public:
    CaptionEditorDelegate(QObject* keyFilter, QObject* parent)
        : QStyledItemDelegate(parent), keyFilter_(keyFilter) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            connect(line, &QLineEdit::textEdited, this,
                    [this, line] { emit const_cast<CaptionEditorDelegate*>(this)->commitData(line); });
            line->installEventFilter(keyFilter_);
            line->setProperty(kEditorColumnProperty, index.column());
        }
        return editor;
    }

    // Enter commits the edit and closes the editor at once, before the grid's key handler (the next
    // filter on the editor) runs for the same key, so a row it adds is made after the edit is done.
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                return false;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    QObject* keyFilter_;
};

// The width a header section needs to show its text whole, with the header's margin on either side
// and its grid line, in the bold it is drawn in while a cell of its column is selected.
int HeaderWidth(const QHeaderView* header, int column) {
    QFont bold = header->font();
    bold.setBold(true);
    const QString text = header->model()->headerData(column, Qt::Horizontal).toString();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return QFontMetrics(bold).horizontalAdvance(text) + 2 * margin + 2;
}

}  // namespace

TCaptionListPage::TCaptionListPage(TForm1& form, QWidget* parent) : TSettingsPage(form, parent) {
    auto* layout = new QVBoxLayout(this);
    CaptionStringGrid = new QTableView(this);
    captionModel_ = new CaptionGridModel(Settings().captions, this);
    CaptionStringGrid->setModel(captionModel_);
    CaptionStringGrid->setItemDelegate(new CaptionEditorDelegate(this, this));
    CaptionStringGrid->verticalHeader()->hide();
    CaptionStringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    CaptionStringGrid->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
    CaptionStringGrid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    CaptionStringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CaptionStringGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // No editing on a click into the highlighted cell: its editor opens after the double-click
    // delay and would swallow what the user has started typing by then.
    CaptionStringGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::AnyKeyPressed);
    for (int c = 0; c < settings::CaptionGrid::kColumns; ++c) {
        CaptionStringGrid->setColumnWidth(c, kGridColumnWidths[c]);
    }
    SetHint(CaptionStringGrid,
            QStringLiteral("Enter/amend the list of button captions, or paste a list of them, one per line; "
                           "a caption, a tab and a link fill the Link column too. In a caption \"&\" "
                           "underlines the next letter and \"&&\" writes \"&\". A button whose Link is "
                           "given leads there instead of to its page."));
    CaptionStringGrid->installEventFilter(this);
    CaptionStringGrid->viewport()->installEventFilter(this);
    connect(CaptionStringGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    Settings().captions.SetCurrentRow(CaptionGridModel::GridRow(current.row()));
                }
            });

    auto* buttons = new QHBoxLayout;
    AddCaptionButton = new QPushButton(QStringLiteral("Add Caption"), this);
    SetHint(AddCaptionButton, QStringLiteral("Add a new caption to the list."));
    DeleteCaptionButton = new QPushButton(QStringLiteral("Delete Caption"), this);
    SetHint(DeleteCaptionButton, QStringLiteral("Delete the currently highlighted caption from the list."));
    CalculateFilenamesButton = new QPushButton(QStringLiteral("Calculate default filenames"), this);
    SetHint(CalculateFilenamesButton,
            QStringLiteral("Automatically calculate the default filenames for each caption using the default "
                           "filenames rules on the \"File Settings\" menu."));
    On(AddCaptionButton, &QPushButton::clicked, [this] { AddCaptionButtonClick(); });
    On(DeleteCaptionButton, &QPushButton::clicked, [this] { DeleteCaptionButtonClick(); });
    On(CalculateFilenamesButton, &QPushButton::clicked, [this] { CalculateFilenamesButtonClick(); });
    buttons->addWidget(AddCaptionButton);
    buttons->addWidget(DeleteCaptionButton);
    buttons->addWidget(CalculateFilenamesButton);
    buttons->addStretch(1);
    layout->addWidget(CaptionStringGrid, 1);
    layout->addLayout(buttons);
}

void TCaptionListPage::SettingsToControls() {
    captionModel_->Reload();
}

bool TCaptionListPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == CaptionStringGrid->viewport()) {
        SizeCaptionColumns();
    } else if (event->type() == QEvent::ContextMenu && watched == CaptionStringGrid->viewport()) {
        const std::unique_ptr<QMenu> menu(MakeGridMenu());
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    } else if (event->type() == QEvent::ContextMenu && watched->property(kEditorColumnProperty).isValid()) {
        if (auto* editor = qobject_cast<QLineEdit*>(watched)) {
            ShowEditorMenu(editor, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    } else if (event->type() == QEvent::KeyPress &&
               (watched == CaptionStringGrid || watched->property(kEditorColumnProperty).isValid())) {
        if (auto* editor = qobject_cast<QLineEdit*>(watched)) {
            // The open editor holds the cell's text: it is cut like the cell.
            const int limit =
                settings::CaptionGrid::CellLimit(editor->property(kEditorColumnProperty).toInt());
            if (editor->text().size() > limit) {
                editor->setText(editor->text().left(limit));
            }
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        form_.Guarded([this, key] { CaptionStringGridKeyDown(key); });
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            bool pasted = false;
            form_.Guarded(
                [this, watched, &pasted] { pasted = PasteCaptions(qobject_cast<QLineEdit*>(watched)); });
            if (pasted || watched == CaptionStringGrid) {
                return true;
            }
        }
        if (watched != CaptionStringGrid && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // The editor has been committed and closed; the key is not passed on to the grid, which
            // would handle it a second time and add a second row.
            return true;
        }
    }
    return TSettingsPage::eventFilter(watched, event);
}

bool TCaptionListPage::PasteCaptions(QLineEdit* editor) {
    const std::vector<QStringList> rows =
        settings::CaptionGrid::PastedRows(QGuiApplication::clipboard()->text());
    const bool oneCell = rows.size() == 1 && rows.front().size() == 1;
    if (editor != nullptr && (rows.empty() || oneCell)) {
        return false;  // the editor pastes into its own text, as it always has
    }
    if (rows.empty()) {
        return true;
    }
    QModelIndex from = CaptionStringGrid->currentIndex();
    if (!from.isValid()) {
        from = captionModel_->index(0, 0);
    }
    if (editor != nullptr) {
        // What was typed is in the cell already; the paste starts at that cell.
        emit CaptionStringGrid->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    const int firstRow = from.row();
    const int column = from.column();
    captionModel_->Paste(firstRow, column, rows);
    // The pasted cells are selected; the first of them is current.
    QItemSelection pasted;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int viewRow = firstRow + static_cast<int>(i);
        for (const int c : settings::CaptionGrid::PastedColumns(column, rows[i].size())) {
            pasted.select(captionModel_->index(viewRow, c), captionModel_->index(viewRow, c));
        }
    }
    const QModelIndex first = captionModel_->index(firstRow, column);
    CaptionStringGrid->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    CaptionStringGrid->selectionModel()->select(pasted, QItemSelectionModel::ClearAndSelect);
    Settings().captions.SetCurrentRow(CaptionGridModel::GridRow(firstRow));
    CaptionStringGrid->setFocus();
    return true;
}

QMenu* TCaptionListPage::MakeGridMenu() {
    auto* menu = new QMenu(CaptionStringGrid);
    QAction* paste = menu->addAction(QString::fromLatin1(kPasteText));
    paste->setShortcut(QKeySequence::Paste);
    paste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    connect(paste, &QAction::triggered, this, [this] { form_.Guarded([this] { PasteCaptions(); }); });
    return menu;
}

void TCaptionListPage::ShowEditorMenu(QLineEdit* editor, const QPoint& globalPos) {
    const std::unique_ptr<QMenu> menu(editor->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().startsWith(QLineEdit::tr("&Paste"))) {
            // The editor's own Paste unless the clipboard holds several lines or cells.
            disconnect(action, &QAction::triggered, editor, nullptr);
            const QPointer<QLineEdit> target(editor);
            connect(action, &QAction::triggered, this, [this, target] {
                form_.Guarded([this, target] {
                    if (target != nullptr && !PasteCaptions(target)) {
                        target->paste();
                    }
                });
            });
        }
    }
    menu->exec(globalPos);
}

void TCaptionListPage::SizeCaptionColumns() {
    // The columns share the grid's width equally, but none is narrower than its header, which the
    // header draws in bold while a cell of its column is selected: a column that needs more gets what
    // it needs and the others share the rest. Where the headers need more than the whole width the
    // grid scrolls sideways.
    constexpr int kColumns = settings::CaptionGrid::kColumns;
    const QHeaderView* header = CaptionStringGrid->horizontalHeader();
    int needs[kColumns];
    for (int c = 0; c < kColumns; ++c) {
        needs[c] = HeaderWidth(header, c);
    }
    bool given[kColumns] = {};
    int left = CaptionStringGrid->viewport()->width();
    int sharing = kColumns;
    for (bool changed = true; changed && sharing > 0;) {
        changed = false;
        for (int c = 0; c < kColumns; ++c) {
            if (!given[c] && needs[c] > left / sharing) {
                given[c] = true;
                left -= needs[c];
                --sharing;
                changed = true;
            }
        }
    }
    for (int c = 0; c < kColumns; ++c) {
        CaptionStringGrid->setColumnWidth(c, given[c] ? needs[c] : left / std::max(sharing, 1));
    }
}

void TCaptionListPage::SelectCaptionRow(int gridRow) {
    Settings().captions.SetCurrentRow(gridRow);
    const QModelIndex current = CaptionStringGrid->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    CaptionStringGrid->setCurrentIndex(captionModel_->index(CaptionGridModel::ViewRow(gridRow), column));
}

void TCaptionListPage::AddCaptionButtonClick() {
    SelectCaptionRow(captionModel_->AddCaption());
    CaptionStringGrid->setFocus();
}

void TCaptionListPage::DeleteCaptionButtonClick() {
    SelectCaptionRow(captionModel_->DeleteCaption());
    CaptionStringGrid->setFocus();
}

void TCaptionListPage::CaptionStringGridKeyDown(int key) {
    captionModel_->CutCurrentRow();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Settings().captions.CurrentRowIsLast()) {
        AddCaptionButtonClick();
    }
}

void TCaptionListPage::CalculateFilenamesButtonClick() {
    RecalculateCaptionFilenames();
}

void TCaptionListPage::RecalculateCaptionFilenames() {
    const int current = Settings().captions.CurrentRow();
    output::RecalculateFilenames(Settings());
    captionModel_->Reload();
    SelectCaptionRow(current);
}

}  // namespace app
