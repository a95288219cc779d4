#include "peek/peek_window.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/number_format.h"
#include "common/ui/dialogs.h"
#include "peek/line_list_model.h"
#include "peek/list_loader.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QVBoxLayout>

#include <new>

namespace peek {

using common::ui::Buttons;
using common::ui::Icon;

namespace {

// A single-line box lays out all of its text at once; lines past this are cut in the copy.
constexpr int TextBoxLimit = 65535;

bool isFixedPitch(const QFont& font) {
    // The pitch flag of some monospaced fonts is wrong (Noto Sans Mono); the widths are not.
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QStringLiteral("iiii")) ==
           metrics.horizontalAdvance(QStringLiteral("WWWW"));
}

// The list's columns line up only in a fixed-pitch font: Courier New where it is installed.
QFont fixedPitchFont() {
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const char* family : {"Courier New", "", "DejaVu Sans Mono", "Liberation Mono"}) {
        QFont font = system;
        if (*family) {
            font.setFamily(QString::fromLatin1(family));
            font.setStyleHint(QFont::TypeWriter);
            if (QFontInfo(font).family() != QLatin1String(family))
                continue;
        }
        if (isFixedPitch(font))
            return font;
    }
    return system;
}

} // namespace

PeekWindow::PeekWindow(common::ui::Dialogs& dialogs, std::filesystem::path path, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), path_(std::move(path)),
      shownPath_(common::CodePage::decodeLine(path_.native())),
      model_(new LineListModel(store_, this)), text_(new QLineEdit(this)),
      list_(new QListView(this)) {
    setObjectName(QStringLiteral("Peek"));
    setWindowTitle(QStringLiteral("Form1"));

    text_->setObjectName(QStringLiteral("TeX"));
    text_->setAccessibleName(QStringLiteral("Clicked line"));
    text_->setMaxLength(TextBoxLimit);
    text_->setText(QStringLiteral("Text1"));

    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Lines of the file"));
    list_->setFont(fixedPitchFont());
    // Uniform rows let a million lines lay out and paint in a fraction of a second.
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setModel(model_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(text_);
    layout->addWidget(list_, 1);
    // Wide enough for a typical disc list line, as far as the screen allows.
    const QFontMetrics metrics(list_->font());
    QSize size(metrics.horizontalAdvance(QLatin1Char('M')) * 110 + 40, metrics.height() * 32);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);

    connect(list_, &QListView::clicked, this, &PeekWindow::copyLine);
    // Arrow keys move the selection as a click would, so keyboard users get the copy too.
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (list_->selectionModel()->isSelected(current))
                    copyLine(current);
            });
}

PeekWindow::~PeekWindow() = default;

std::optional<int> PeekWindow::start() {
    if (path_.empty()) {
        dialogs_.message(QString(), QStringLiteral("Give me the path and file name to open"),
                         Buttons::Ok, Icon::None);
        return NoPath;
    }
    show();
    // The list has the keys from the start: it scrolls by keyboard before anything is clicked.
    list_->setFocus();
    yield_.now();

    std::optional<ListLoader> loader;
    try {
        loader.emplace(path_);
    } catch (const common::Error& e) {
        return refuse(QStringLiteral("Cannot open"), reasonOf(e));
    }

    std::size_t total = 0;
    try {
        total = loader->load(store_, [this](std::size_t sofar) { return stepShown(sofar); });
    } catch (const common::Error& e) {
        return refuse(QStringLiteral("Cannot read"), reasonOf(e));
    } catch (const std::bad_alloc&) {
        // The message box paints the list, which must not look into a store that is gone.
        model_->forget();
        store_.clear();
        return refuse(QStringLiteral("Cannot read"),
                      QStringLiteral("Not enough memory to show the whole file"));
    }
    model_->publish();
    if (closed_)
        return 0;
    // A current row, not selected, for the keys to move from; the text box stays as it is.
    if (model_->rowCount() > 0 && !list_->currentIndex().isValid())
        list_->selectionModel()->setCurrentIndex(model_->index(0), QItemSelectionModel::NoUpdate);
    setWindowTitle(shownPath_ + QStringLiteral(" - ") +
                   common::NumberFormat::signSpace(static_cast<long long>(total)));
    return std::nullopt;
}

bool PeekWindow::stepShown(std::size_t total) {
    // The list view lays out all of its rows again after every insertion, so rows are handed over
    // in doubling batches: however slowly the file comes in, the layouts cost about twice the
    // rows in all instead of the rows at every yield.
    if (store_.size() >= 2 * static_cast<std::size_t>(model_->rowCount()))
        model_->publish();
    setWindowTitle(QString::number(total));
    yield_.always();
    return !closed_;
}

void PeekWindow::closeEvent(QCloseEvent* event) {
    // A load in progress notices this at its next step and stops.
    closed_ = true;
    event->accept();
}

void PeekWindow::copyLine(const QModelIndex& index) {
    if (index.isValid())
        text_->setText(model_->lineText(index.row()));
}

int PeekWindow::refuse(const QString& verb, const QString& reason) {
    dialogs_.message(QString(), verb + QLatin1Char(' ') + shownPath_ + QLatin1Char('\n') + reason,
                     Buttons::Ok, Icon::Critical);
    return Unreadable;
}

// "No such file or directory (53)": the error number as the main program reports it.
QString PeekWindow::reasonOf(const common::Error& error) const {
    // The description starts with the path, which the message names already.
    std::string text = error.description();
    const std::string prefix = path_.string() + ": ";
    if (text.compare(0, prefix.size(), prefix) == 0)
        text.erase(0, prefix.size());
    return common::CodePage::decodeLine(text) + QStringLiteral(" (") +
           QString::number(error.number()) + QLatin1Char(')');
}

} // namespace peek
