// SPDX-License-Identifier: GPL-3.0-or-later
// The Words window. The table shows the book's rows that the find box and
// the filter let through, in the order of the column sorted by; the book
// (core) holds the words, the edits and their undo; nothing reaches the
// drill or the files until Save.
#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>
#include <unordered_map>

#include "Words.h"
#include "audio/Playback.h"
#include "files/OwnSettings.h"
#include "memory/LearningDay.h"
#include "platform/TextFile.h"
#include "run/MemoryDeck.h"
#include "text/EntryParts.h"
#include "text/Numbers.h"
#include "words/InProgram.h"
#include "words/WordSave.h"
#include "words/WordTable.h"

namespace kelvora::words {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

constexpr struct {
    WordFilter filter;
    const char* text;
} kFilterItems[] = {{WordFilter::All, "All words"},        {WordFilter::Due, "Due today"},
                    {WordFilter::New, "Never reviewed"},   {WordFilter::Marked, "Marked"},
                    {WordFilter::Leeches, "Leeches (4 lapses or more)"}, {WordFilter::Weakest, "Weakest first"}};

class WordsWindow;

// The rows shown, for the view: reads the window's state, changes nothing
// but the meaning edited in place.
class WordsModel : public QAbstractTableModel {
public:
    explicit WordsModel(WordsWindow& w) : w_(w) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kWordColumnCount; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    void Reset() {
        beginResetModel();
        endResetModel();
    }

private:
    WordsWindow& w_;
};

class WordsWindow : public QWidget {
public:
    WordsWindow(const WindowHost& host, QWidget* parent);

    // What the model reads.
    const WordBook* book() const { return book_ ? &*book_ : nullptr; }
    const std::vector<int>& rows() const { return rows_; }
    const WordMemoryPair& MemoryOf(int row) const { return memory_[static_cast<std::size_t>(row)]; }
    bool SetMeaning(int row, const QString& meaning);
    void ProgramEnding();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddAction(const QString& text, const QString& shortcut, void (WordsWindow::*slot)(), QWidget* button = nullptr);
    void FillDatabases();
    bool Open(const std::string& name);
    void TakeMemory();
    void Rebuild();
    void Refilter();
    void ShowCount();
    int CurrentRow() const;
    void Select(int row);
    void Edited(const Result<void>& done, int row);
    void Say(const QString& text);
    void Refuse(const std::string& why);

    void AddWord();
    void RenameWord();
    void DeleteWord();
    void ToggleMark();
    void Hear();
    void Undo();
    void Redo();
    bool Save();
    void SaveAction() { Save(); }
    void Export();
    void FindNow() {
        find_->setFocus();
        find_->selectAll();
    }
    void ChooseColumns();
    bool MayLeaveEdits(bool canCancel);
    void UpdateActions();

    WindowHost host_;
    Program& p_;
    std::optional<WordBook> book_;
    // Each word's memory by its id: the words read at their rows, those
    // added (none until saved) after.
    std::vector<WordMemoryPair> memoryById_;
    QTimer* memoryWait_ = nullptr;
    std::vector<WordMemoryPair> memory_;  // by book row
    // By book row: each word's folded text, its id and a hash of the word
    // and meaning it was folded from, so that an edit folds only what it
    // changed.
    std::vector<std::string> folded_;
    std::vector<std::pair<std::uint32_t, std::size_t>> foldedFrom_;
    std::vector<int> rows_;               // shown, as book rows
    int sortColumn_ = -1;
    bool descending_ = false;
    std::string memoryProblem_;

    WordsModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QComboBox* database_ = nullptr;
    QLineEdit* find_ = nullptr;
    QComboBox* filter_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* status_ = nullptr;
    QAction *undo_ = nullptr, *redo_ = nullptr, *save_ = nullptr;
    QString shownDatabase_;
};

int WordsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(w_.rows().size());
}

QVariant WordsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !w_.book()) return {};
    const int row = w_.rows()[static_cast<std::size_t>(index.row())];
    const WordEntry& e = w_.book()->entries()[static_cast<std::size_t>(row)];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
        case Qt::AccessibleTextRole: return Q(WordCell(e, w_.MemoryOf(row), index.column()));
        case Qt::TextAlignmentRole:
            return kWordColumns[index.column()].number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        default: return {};
    }
}

QVariant WordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kWordColumnCount) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return QString::fromUtf8(kWordColumns[section].header);
    return {};
}

Qt::ItemFlags WordsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == kMeaningColumn) f |= Qt::ItemIsEditable;
    return f;
}

bool WordsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != kMeaningColumn) return false;
    return w_.SetMeaning(w_.rows()[static_cast<std::size_t>(index.row())], value.toString());
}

WordsWindow::WordsWindow(const WindowHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), p_(*host.program) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("words"));
    resize(900, 560);

    database_ = new QComboBox(this);
    database_->setObjectName(QStringLiteral("database"));
    database_->setAccessibleName(QStringLiteral("Word database"));
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("find"));
    find_->setAccessibleName(QStringLiteral("Find"));
    find_->setPlaceholderText(QStringLiteral("English or Japanese"));
    find_->setClearButtonEnabled(true);
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setAccessibleName(QStringLiteral("Show"));
    for (const auto& item : kFilterItems) filter_->addItem(QString::fromUtf8(item.text));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("count"));

    auto* top = new QHBoxLayout;
    auto labelled = [&](const QString& text, QWidget* box) {
        auto* label = new QLabel(text, this);
        label->setBuddy(box);
        top->addWidget(label);
        top->addWidget(box);
    };
    labelled(QStringLiteral("&Database:"), database_);
    labelled(QStringLiteral("&Find:"), find_);
    top->setStretchFactor(find_, 1);
    labelled(QStringLiteral("S&how:"), filter_);
    top->addWidget(count_, 0, Qt::AlignRight);

    model_ = new WordsModel(*this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("table"));
    table_->setAccessibleName(QStringLiteral("Words"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this] { ChooseColumns(); });
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
        sortColumn_ = column;
        descending_ = order == Qt::DescendingOrder;
        Refilter();
    });
    for (int c = 0; c < kWordColumnCount; ++c)
        header->resizeSection(c, c == 0 ? 150 : c == 1 ? 220 : header->fontMetrics().horizontalAdvance(QString::fromUtf8(kWordColumns[c].header)) + 16);
    for (const std::string& hidden : p_.own.wordsHiddenColumns)
        if (const int c = WordColumnNamed(hidden); c > 0) table_->setColumnHidden(c, true);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& text) {
        auto* b = new QToolButton(this);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        buttons->addWidget(b);
        b->setText(text);
        return b;
    };
    AddAction(QStringLiteral("Add…"), QStringLiteral("Ctrl+N"), &WordsWindow::AddWord, button({}));
    AddAction(QStringLiteral("Rename…"), QStringLiteral("Ctrl+R"), &WordsWindow::RenameWord, button({}));
    AddAction(QStringLiteral("Delete…"), QStringLiteral("Del"), &WordsWindow::DeleteWord, button({}));
    AddAction(QStringLiteral("Mark"), QStringLiteral("Ctrl+M"), &WordsWindow::ToggleMark, button({}));
    AddAction(QStringLiteral("Hear"), QStringLiteral("Ctrl+H"), &WordsWindow::Hear, button({}));
    undo_ = AddAction(QStringLiteral("Undo"), QStringLiteral("Ctrl+Z"), &WordsWindow::Undo, button({}));
    redo_ = AddAction(QStringLiteral("Redo"), QStringLiteral("Ctrl+Shift+Z"), &WordsWindow::Redo, button({}));
    redo_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    buttons->addStretch(1);
    AddAction(QStringLiteral("Columns…"), QStringLiteral("Ctrl+Shift+C"), &WordsWindow::ChooseColumns, button({}));
    AddAction(QStringLiteral("Export…"), QStringLiteral("Ctrl+E"), &WordsWindow::Export, button({}));
    save_ = AddAction(QStringLiteral("Save"), QStringLiteral("Ctrl+S"), &WordsWindow::SaveAction, button({}));
    AddAction(QStringLiteral("Find"), QStringLiteral("Ctrl+F"), &WordsWindow::FindNow);
    auto* close = new QAction(QStringLiteral("Close"), this);
    close->setShortcuts({QKeySequence(QStringLiteral("Ctrl+W")), QKeySequence(Qt::Key_Escape)});
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setAccessibleName(QStringLiteral("Status"));
    status_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    layout->addWidget(status_);

    memoryWait_ = new QTimer(this);
    memoryWait_->setInterval(20);
    connect(memoryWait_, &QTimer::timeout, this, [this] {
        if (!MemoryDeckBeingMade(p_)) TakeMemory();
    });
    connect(find_, &QLineEdit::textChanged, this, [this] { Refilter(); });
    // From the find box, Enter goes to the words found; Tab too.
    connect(find_, &QLineEdit::returnPressed, table_, [this] { table_->setFocus(); });
    setTabOrder(database_, find_);
    setTabOrder(find_, table_);
    setTabOrder(table_, filter_);
    connect(filter_, &QComboBox::currentIndexChanged, this, [this] { Refilter(); });
    FillDatabases();
    connect(database_, &QComboBox::currentIndexChanged, this, [this] {
        const QString name = database_->currentText();
        if (name == shownDatabase_) return;
        if (!MayLeaveEdits(true) || !Open(S(name))) {
            const QSignalBlocker quiet(database_);
            database_->setCurrentText(shownDatabase_);
        }
    });
    Open(p_.loadedWordDb.empty() ? S(database_->currentText()) : p_.loadedWordDb);
    if (host_.whenProgramEnds) host_.whenProgramEnds(this, [this] { ProgramEnding(); });
}

QAction* WordsWindow::AddAction(const QString& text, const QString& shortcut, void (WordsWindow::*slot)(), QWidget* b) {
    auto* a = new QAction(text, this);
    a->setShortcut(QKeySequence(shortcut));
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, slot);
    addAction(a);
    if (auto* tool = qobject_cast<QToolButton*>(b)) {
        tool->setDefaultAction(a);
        a->setToolTip(text + QStringLiteral(" (") + a->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(")"));
    }
    return a;
}

// The word databases of the folder: those the settings name first, the
// loaded one at the top, then every other text file that is not a test
// database or the settings.
void WordsWindow::FillDatabases() {
    QStringList names;
    auto add = [&](const std::string& name) {
        if (!name.empty() && !names.contains(Q(name)) && StatPath(p_.File(name + ".txt")).kind == PathStatus::Kind::File)
            names << Q(name);
    };
    add(p_.loadedWordDb);
    for (int i = 0; i < static_cast<int>(p_.m.WordDbCount) && i < kNameSlots; ++i) add(p_.m.WordDbName[static_cast<std::size_t>(i)]);
    std::string error;
    QStringList others;
    for (const std::string& file : PlainFilesIn(p_.dir, &error)) {
        if (file.size() <= 4 || LowerAscii(file.substr(file.size() - 4)) != ".txt" || file == "qbx.txt") continue;
        const std::string name = file.substr(0, file.size() - 4);
        bool test = false;
        for (int i = 0; i < static_cast<int>(p_.m.TestDbCount) && i < kNameSlots; ++i)
            test = test || p_.m.TestDbName[static_cast<std::size_t>(i)] == name;
        if (!test && !names.contains(Q(name))) others << Q(name);
    }
    others.sort();
    names << others;
    const QSignalBlocker quiet(database_);
    database_->clear();
    database_->addItems(names);
}

bool WordsWindow::Open(const std::string& name) {
    Result<WordBook> read = WordBook::Read(p_.dir, name);
    if (!read) {
        Refuse(read.error());
        return false;
    }
    book_ = std::move(*read);
    shownDatabase_ = Q(name);
    {
        const QSignalBlocker quiet(database_);
        database_->setCurrentText(shownDatabase_);
    }
    memoryById_.clear();
    // The memory columns once the review history is read: at once when the
    // drill's deck is made, else (the words shown meanwhile) when its
    // thread has made it, the window answering all the while.
    if (book_->name() == p_.loadedWordDb && p_.history) PrepareMemoryDeck(p_);
    if (book_->name() == p_.loadedWordDb && MemoryDeckBeingMade(p_)) {
        Rebuild();
        Say(QStringLiteral("Reading the review history…"));
        memoryWait_->start();
    } else {
        TakeMemory();
    }
    if (!rows_.empty()) Select(rows_.front());
    return true;
}

// The memory of every word, kept by the word through the edits.
void WordsWindow::TakeMemory() {
    memoryWait_->stop();
    Result<std::vector<WordMemoryPair>> memory = std::vector<WordMemoryPair>{};
    if (!host_.run([&](Program& p) { memory = MemoryInProgram(p, *book_); })) {
        memoryWait_->start();  // a message of the drill is open: later
        return;
    }
    memoryProblem_ = memory ? "" : "The review history cannot be read (" + memory.error() + "), so the memory columns are empty.";
    if (memory) {
        memoryById_.assign(static_cast<std::size_t>(book_->readCount()), WordMemoryPair{});
        for (std::size_t row = 0; row < memory->size(); ++row)
            if (const std::uint32_t id = book_->entries()[row].id; id < memoryById_.size()) memoryById_[id] = (*memory)[row];
    }
    Rebuild();
    Say(Q(memoryProblem_));
}

void WordsWindow::Rebuild() {
    const auto& entries = book_->entries();
    memory_.assign(entries.size(), WordMemoryPair{});
    for (std::size_t row = 0; row < entries.size(); ++row)
        if (entries[row].id < memoryById_.size()) memory_[row] = memoryById_[entries[row].id];
    std::unordered_map<std::uint32_t, std::size_t> oldRow;
    oldRow.reserve(foldedFrom_.size());
    for (std::size_t row = 0; row < foldedFrom_.size(); ++row) oldRow.emplace(foldedFrom_[row].first, row);
    std::vector<std::string> folded(entries.size());
    std::vector<std::pair<std::uint32_t, std::size_t>> from(entries.size());
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const WordEntry& e = entries[row];
        const std::size_t hash = std::hash<std::string>{}(e.word) * 31 + std::hash<std::string>{}(e.meaning);
        const auto it = oldRow.find(e.id);
        folded[row] = it != oldRow.end() && foldedFrom_[it->second].second == hash ? std::move(folded_[it->second]) : FoldedRow(e);
        from[row] = {e.id, hash};
    }
    folded_ = std::move(folded);
    foldedFrom_ = std::move(from);
    Refilter();
    UpdateActions();
}

void WordsWindow::Refilter() {
    if (!book_) return;
    const int current = table_->currentIndex().isValid() ? CurrentRow() : -1;
    const WordFilter filter = kFilterItems[std::max(0, filter_->currentIndex())].filter;
    rows_ = FindWords(*book_, folded_, memory_, S(find_->text()), filter, LearningDay(p_.host.Now()));
    if (sortColumn_ >= 0) SortWordRows(rows_, *book_, memory_, sortColumn_, descending_);
    model_->Reset();
    ShowCount();
    // The word that was current stays so where it still shows; else the
    // first shown, so that every key has a word to act on.
    if (std::find(rows_.begin(), rows_.end(), current) != rows_.end()) Select(current);
    else if (!rows_.empty()) table_->setCurrentIndex(model_->index(0, 0));
}

void WordsWindow::ShowCount() {
    count_->setText(QStringLiteral("%1 of %2 words")
                        .arg(Q(Thousands(static_cast<long long>(rows_.size()))), Q(Thousands(book_->size()))));
}

int WordsWindow::CurrentRow() const {
    const QModelIndex at = table_->currentIndex();
    if (!at.isValid() || static_cast<std::size_t>(at.row()) >= rows_.size()) return -1;
    return rows_[static_cast<std::size_t>(at.row())];
}

void WordsWindow::Select(int row) {
    if (row < 0) return;
    const auto it = std::find(rows_.begin(), rows_.end(), row);
    if (it == rows_.end()) return;
    const QModelIndex at = model_->index(static_cast<int>(it - rows_.begin()), std::max(0, table_->currentIndex().column()));
    table_->setCurrentIndex(at);
    table_->scrollTo(at);
}

void WordsWindow::Say(const QString& text) { status_->setText(text); }

void WordsWindow::Refuse(const std::string& why) { QMessageBox::warning(this, QStringLiteral("Words"), Q(why)); }

void WordsWindow::UpdateActions() {
    undo_->setEnabled(book_ && book_->CanUndo());
    redo_->setEnabled(book_ && book_->CanRedo());
    save_->setEnabled(book_ && book_->modified());
    // What the next undo and redo would do, where a pointer or a screen
    // reader finds it.
    for (auto [action, what, key] : {std::tuple{undo_, book_ ? book_->UndoText() : "", "Undo"},
                                     std::tuple{redo_, book_ ? book_->RedoText() : "", "Redo"}}) {
        const QString tip = what.empty() ? QString::fromUtf8(key) : QStringLiteral("%1: %2").arg(QString::fromUtf8(key), Q(what));
        action->setToolTip(tip + QStringLiteral(" (") + action->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(")"));
        action->setStatusTip(tip);
    }
    setWindowTitle(QStringLiteral("Words — %1.txt[*]").arg(shownDatabase_));
    setWindowModified(book_ && book_->modified());
}

void WordsWindow::Edited(const Result<void>& done, int row) {
    if (!done) {
        Refuse(done.error());
        return;
    }
    Rebuild();
    Select(row);
    Say(QStringLiteral("Not saved yet: Save (Ctrl+S) writes the edits."));
}

bool WordsWindow::SetMeaning(int row, const QString& meaning) {
    const Result<void> done = book_->SetMeaning(row, S(meaning));
    // Later, so that the view finishes its edit before the rows change.
    QMetaObject::invokeMethod(this, [this, done, row] { Edited(done, row); }, Qt::QueuedConnection);
    return done.ok();
}

void WordsWindow::AddWord() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add a word"));
    auto* word = new QLineEdit(&dialog);
    auto* meaning = new QLineEdit(&dialog);
    word->setAccessibleName(QStringLiteral("Word"));
    meaning->setAccessibleName(QStringLiteral("Meaning"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("&Word:"), word);
    form->addRow(QStringLiteral("&Meaning:"), meaning);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(box);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(box, &QDialogButtonBox::accepted, &dialog, [&] {
        const Result<int> added = book_->Add(S(word->text()), S(meaning->text()));
        if (!added) {
            Refuse(added.error());
            return;
        }
        dialog.accept();
        // Shown even where the find or the filter would hide it.
        if (filter_->currentIndex() != 0 || !find_->text().isEmpty()) {
            const QSignalBlocker a(find_), b(filter_);
            find_->clear();
            filter_->setCurrentIndex(0);
        }
        Edited({}, *added);
    });
    dialog.exec();
}

void WordsWindow::RenameWord() {
    const int row = CurrentRow();
    if (row < 0) return;
    const std::string key = HeadwordKey(book_->entries()[static_cast<std::size_t>(row)].word);
    bool ok = false;
    const QString to = QInputDialog::getText(this, QStringLiteral("Rename a word"),
                                             QStringLiteral("New name for “%1” (its counters and reviews go with it):").arg(Q(key)),
                                             QLineEdit::Normal, Q(key), &ok);
    if (ok) Edited(book_->Rename(row, S(to)), row);
}

void WordsWindow::DeleteWord() {
    const int row = CurrentRow();
    if (row < 0) return;
    const std::string key = HeadwordKey(book_->entries()[static_cast<std::size_t>(row)].word);
    if (QMessageBox::question(this, QStringLiteral("Delete a word"),
                              QStringLiteral("Delete “%1” with its counters? Its reviews are kept in the history, apart "
                                             "from every word. (Undo brings it back until you save.)")
                                  .arg(Q(key)),
                              QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Yes)
        return;
    const int place = static_cast<int>(std::find(rows_.begin(), rows_.end(), row) - rows_.begin());
    Edited(book_->Delete(row), -1);
    if (!rows_.empty()) {
        const QModelIndex at = model_->index(std::min(place, static_cast<int>(rows_.size()) - 1), 0);
        table_->setCurrentIndex(at);
    }
}

void WordsWindow::ToggleMark() {
    const int row = CurrentRow();
    if (row < 0) return;
    Edited(book_->SetMark(row, !book_->entries()[static_cast<std::size_t>(row)].marked()), row);
}

void WordsWindow::Hear() {
    const int row = CurrentRow();
    if (row < 0) return;
    const std::string word = book_->entries()[static_cast<std::size_t>(row)].word;
    bool heard = false;
    const bool ran = host_.run([&](Program& p) {
        const std::string sound = GetSoundPart(word);
        heard = (!sound.empty() && PlayPronunciation(p, sound)) || SpeakWord(p, word);
    });
    if (!ran) Say(QStringLiteral("Kelvora is busy; try again in a moment."));
    else if (!heard)
        Say(QStringLiteral("“%1” has no recording, and speech is off (Speak words without a recording, in the main "
                           "window's menu).")
                .arg(Q(HeadwordKey(word))));
}

void WordsWindow::Undo() {
    const int row = book_->Undo();
    Rebuild();
    Select(row);
}

void WordsWindow::Redo() {
    const int row = book_->Redo();
    Rebuild();
    Select(row);
}

bool WordsWindow::Save() {
    if (!book_ || !book_->modified()) return true;
    if (ChangeOnDisk(*book_, p_.dir) == DiskChange::Database) {
        QMessageBox ask(QMessageBox::Warning, QStringLiteral("Words"),
                        QStringLiteral("“%1.txt” was changed by another program since this window read it.").arg(shownDatabase_),
                        QMessageBox::NoButton, this);
        ask.setInformativeText(QStringLiteral("Overwrite: save your edits over those changes. Reload: drop your edits "
                                              "and read the file as it is now. Cancel: change nothing."));
        QPushButton* overwrite = ask.addButton(QStringLiteral("Overwrite"), QMessageBox::AcceptRole);
        QPushButton* reload = ask.addButton(QStringLiteral("Reload"), QMessageBox::DestructiveRole);
        ask.addButton(QMessageBox::Cancel);
        ask.exec();
        if (ask.clickedButton() == reload) {
            Open(S(shownDatabase_));
            return false;
        }
        if (ask.clickedButton() != overwrite) return false;
    }
    // Before the save numbers the rows anew, the memory goes by row.
    const std::vector<WordMemoryPair> memory = memory_;
    Result<void> saved = Result<void>::Failed("Kelvora is busy (a message of the drill is open); try again when it is closed.");
    host_.run([&](Program& p) { saved = SaveWordsInProgram(p, *book_); });
    if (!saved) {
        Refuse(saved.error());
        return false;
    }
    memoryById_ = memory;
    for (std::size_t row = 0; row < foldedFrom_.size(); ++row) foldedFrom_[row].first = static_cast<std::uint32_t>(row);  // numbered anew
    const int current = CurrentRow();
    Rebuild();
    Select(current);
    Say(QStringLiteral("Saved: %1.txt and its learning record%2.")
            .arg(shownDatabase_, p_.history ? QStringLiteral(", with the review history") : QString()));
    return true;
}

void WordsWindow::Export() {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Export the words shown"),
                                                      Q((p_.dir / (S(shownDatabase_) + "-words.csv")).string()),
                                                      QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty()) return;
    const WriteResult w = WriteFileAtomic(S(file), WordsCsv(*book_, memory_, rows_));
    if (!w.ok) {
        Refuse("The words could not be exported to " + S(file) + ": " + w.reason + ".");
        return;
    }
    Say(QStringLiteral("Exported %1 words to %2.").arg(Q(Thousands(static_cast<long long>(rows_.size()))), file));
}

void WordsWindow::ChooseColumns() {
    QMenu menu(this);
    for (int c = 1; c < kWordColumnCount; ++c) {
        QAction* item = menu.addAction(QString::fromUtf8(kWordColumns[c].header));
        item->setCheckable(true);
        item->setChecked(!table_->isColumnHidden(c));
        connect(item, &QAction::toggled, this, [this, c](bool shown) {
            table_->setColumnHidden(c, !shown);
            std::string hidden;
            std::vector<std::string> names;
            for (int k = 1; k < kWordColumnCount; ++k)
                if (table_->isColumnHidden(k)) {
                    hidden += (hidden.empty() ? "" : ",") + std::string(kWordColumns[k].name);
                    names.push_back(kWordColumns[k].name);
                }
            host_.run([&](Program& p) {
                p.own.wordsHiddenColumns = names;
                SaveOwnSetting(p, "words_hidden_columns", hidden);
            });
        });
    }
    menu.exec(table_->horizontalHeader()->mapToGlobal(QPoint(0, table_->horizontalHeader()->height())));
}

// Unsaved edits before they go: Save, Discard or (when the window may
// stay) Cancel. True when the window may go on.
bool WordsWindow::MayLeaveEdits(bool canCancel) {
    if (!book_ || !book_->modified()) return true;
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Words"), QStringLiteral("Save your edits to the words of “%1.txt”?").arg(shownDatabase_),
        QMessageBox::Save | QMessageBox::Discard | (canCancel ? QMessageBox::Cancel : QMessageBox::NoButton),
        QMessageBox::Save);
    if (answer == QMessageBox::Save) return Save() || !canCancel;
    return answer == QMessageBox::Discard;
}

void WordsWindow::closeEvent(QCloseEvent* event) {
    if (MayLeaveEdits(true)) event->accept();
    else event->ignore();
}

// The drill is ending (END, or its window closed): edits not saved are
// offered once more, saved into the files as the drill left them.
void WordsWindow::ProgramEnding() {
    if (book_ && book_->modified() &&
        QMessageBox::question(this, QStringLiteral("Words"),
                              QStringLiteral("Kelvora is ending. Save your edits to the words of “%1.txt”?").arg(shownDatabase_),
                              QMessageBox::Save | QMessageBox::Discard, QMessageBox::Save) == QMessageBox::Save) {
        ChangeOnDisk(*book_, p_.dir);
        if (const Result<void> saved = SaveWordBook(*book_, p_.dir, p_.history, NewSaveId(p_.host.NowMs())); !saved)
            Refuse(saved.error());
    }
    book_.reset();
    deleteLater();
}

}  // namespace

}  // namespace kelvora::words

extern "C" __attribute__((visibility("default"))) QWidget* kelvora_words_window(const kelvora::words::WindowHost& host,
                                                                                 QWidget* parent) {
    return new kelvora::words::WordsWindow(host, parent);
}
