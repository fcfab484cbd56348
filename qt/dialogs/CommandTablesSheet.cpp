#include "qt/dialogs/CommandTablesSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/commands/CommandRegistry.h"
#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "qt/platform/QtText.h"
#include "shell/CommandCategories.h"
#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"

namespace orvex::qt {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

QString q(std::string_view utf8) { return fromUtf8(utf8); }

}  // namespace

// ---- The sheet and its key page

CommandTablesSheet::CommandTablesSheet(const settings::CommandTables& tables, const CommandTablesOptions& options,
                                       CommandTablesSheetServices services, QWidget* parent)
    : QDialog(parent), m_tables(tables), m_services(std::move(services)) {
    setWindowTitle(q(commands::menuText(cmd::kCommandTablesSheet)));
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildKeyPage(), q("ｷｰｺｰﾄﾞ "));

    settings::CommandTables& t = m_tables;
    auto ids = [](std::span<const uint32_t> s) { return std::vector<uint32_t>(s.begin(), s.end()); };
    m_menuPage = new IdTablePage({{t.menu.records.data(), &t.menu.count, &t.menu.changed, settings::IdTable40::kCapacity,
                                   ids(shell::defaultContextMenu())}},
                                 {}, false, m_services, this);
    auto* menuTab = new QWidget(this);
    auto* menuLayout = new QVBoxLayout(menuTab);
    menuLayout->addWidget(m_menuPage);
    m_cMenuExe = new QCheckBox(q("ﾒﾆｭｰ項目が1つの場合は選択しないで実行(&E)"), menuTab);
    m_cMenuExe->setChecked(options.cMenuExe);
    m_rBtnUpDown = new QCheckBox(q("右ボタンを押したときに表示(&B)"), menuTab);
    m_rBtnUpDown->setChecked(options.rBtnUpDown);
    menuLayout->addWidget(m_cMenuExe);
    menuLayout->addWidget(m_rBtnUpDown);
    m_tabs->addTab(menuTab, q("　ﾒﾆｭｰ　"));

    m_toolbarPage = new IdTablePage(
        {{t.toolbar1.records.data(), &t.toolbar1.count, &t.toolbar1.changed, settings::IdTable80::kCapacity,
          ids(shell::defaultToolbar1())},
         {t.toolbar2.records.data(), &t.toolbar2.count, &t.toolbar2.changed, settings::IdTable80::kCapacity,
          ids(shell::defaultToolbar2())}},
        {q("ﾂｰﾙﾊﾞｰ1"), q("ﾂｰﾙﾊﾞｰ2")}, true, m_services, this);
    auto* toolTab = new QWidget(this);
    auto* toolLayout = new QVBoxLayout(toolTab);
    toolLayout->addWidget(m_toolbarPage);
    m_changeSoon = new QCheckBox(q("即時反映(&N)"), toolTab);
    m_changeSoon->setChecked(options.toolbarChangeSoon);
    toolLayout->addWidget(m_changeSoon);
    m_tabs->addTab(toolTab, q("ﾂｰﾙﾊﾞｰ"));
    connect(m_toolbarPage, &IdTablePage::edited, this, [this] {
        if (m_changeSoon->isChecked() && m_services.applySoon) m_services.applySoon(m_tables);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

CommandTablesSheet::~CommandTablesSheet() = default;

CommandTablesOptions CommandTablesSheet::options() const {
    return {m_cMenuExe->isChecked(), m_rBtnUpDown->isChecked(), m_changeSoon->isChecked()};
}

QWidget* CommandTablesSheet::buildKeyPage() {
    auto* page = new QWidget(this);
    m_alt = new QCheckBox(QStringLiteral("Alt"), page);
    m_ctrl = new QCheckBox(QStringLiteral("Ctrl"), page);
    m_shift = new QCheckBox(QStringLiteral("Shift"), page);
    m_kinds = new QComboBox(page);
    m_kinds->addItems({q("英数字，記号"), q("特殊，ﾌｧﾝｸｼｮﾝ"), q("テンキー")});
    m_keys = new QListWidget(page);
    m_categories = new QComboBox(page);
    for (const shell::CommandCategory& c : shell::keyPageCategories()) m_categories->addItem(q(c.name));
    m_commands = new QListWidget(page);
    m_assigned = new QLineEdit(page);
    m_assigned->setReadOnly(true);
    m_assign = new QPushButton(q("設定(&S)"), page);
    m_unassign = new QPushButton(q("解除(&R)"), page);
    m_resetKeys = new QPushButton(q("初期化(&I)"), page);
    m_linuxKeys = new QPushButton(q("Linux標準のｷｰ(&L)"), page);
    m_linuxKeys->setToolTip(q("Ctrl+A すべて選択、Ctrl+Z/Ctrl+Shift+Z 元に戻す/やり直し、Ctrl+F 検索、F3/Shift+F3 次/前を検索 などの割り付けにする"));

    auto* modifiers = new QHBoxLayout;
    modifiers->addWidget(m_alt);
    modifiers->addWidget(m_ctrl);
    modifiers->addWidget(m_shift);
    auto* left = new QVBoxLayout;
    left->addLayout(modifiers);
    left->addWidget(m_kinds);
    left->addWidget(m_keys);
    auto* right = new QVBoxLayout;
    right->addWidget(m_categories);
    right->addWidget(m_commands);
    right->addWidget(new QLabel(q("現在割り付けられているｷｰｺｰﾄﾞ"), page));
    right->addWidget(m_assigned);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_assign);
    buttons->addWidget(m_unassign);
    buttons->addWidget(m_resetKeys);
    buttons->addStretch();
    buttons->addWidget(m_linuxKeys);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    for (QCheckBox* b : {m_alt, m_ctrl, m_shift}) connect(b, &QCheckBox::toggled, this, [this] { refreshKeys(); });
    connect(m_kinds, &QComboBox::currentIndexChanged, this, [this] { refreshKeys(); });
    connect(m_keys, &QListWidget::currentRowChanged, this, [this] { keyChosen(); });
    connect(m_categories, &QComboBox::currentIndexChanged, this, [this] { refreshCommands(); });
    connect(m_commands, &QListWidget::currentRowChanged, this, [this] { commandChosen(); });
    connect(m_assign, &QPushButton::clicked, this, [this] { assign(); });
    connect(m_unassign, &QPushButton::clicked, this, [this] { unassign(); });
    connect(m_resetKeys, &QPushButton::clicked, this, [this] {
        m_tables.keys = settings::KeyTable{};
        shell::applyKeyDefaults(m_tables.keys);
        m_tables.keys.changed = true;
        keyChosen();
    });
    connect(m_linuxKeys, &QPushButton::clicked, this, [this] {
        m_tables.keys = shell::linuxKeyTable();
        keyChosen();
    });
    refreshKeys();
    refreshCommands();
    return page;
}

uint8_t CommandTablesSheet::modifiers() const {
    return (m_alt->isChecked() ? shell::kKeyAlt : 0) | (m_ctrl->isChecked() ? shell::kKeyCtrl : 0) |
           (m_shift->isChecked() ? shell::kKeyShift : 0);
}

void CommandTablesSheet::refreshKeys() {
    const uint16_t previous = m_keys->currentItem() ? uint16_t(m_keys->currentItem()->data(kKeyRole).toInt()) : 0;
    m_keys->clear();
    const auto keys = shell::keysOfKind(shell::KeyKind(m_kinds->currentIndex()), m_alt->isChecked(),
                                        m_ctrl->isChecked(), m_shift->isChecked());
    for (const shell::ListedKey& k : keys) {
        auto* item = new QListWidgetItem(q(k.name), m_keys);
        item->setData(kKeyRole, int(k.key));
        if (k.key == previous) m_keys->setCurrentItem(item);
    }
    keyChosen();
}

void CommandTablesSheet::keyChosen() {
    QListWidgetItem* item = m_keys->currentItem();
    if (!item) {
        commandChosen();
        return;
    }
    const int at = shell::findKeyRecord(m_tables.keys, modifiers(), uint16_t(item->data(kKeyRole).toInt()));
    if (at < 0 || !selectCommand(m_tables.keys.records[size_t(at)].command)) m_commands->setCurrentRow(-1);
    commandChosen();
}

bool CommandTablesSheet::selectCommand(CommandId id) {
    const int category = shell::categoryOf(shell::keyPageCategories(), id);
    if (category < 0) return false;
    m_categories->setCurrentIndex(category);
    for (int i = 0; i < m_commands->count(); ++i)
        if (CommandId(m_commands->item(i)->data(kIdRole).toInt()) == id) {
            m_commands->setCurrentRow(i);
            return true;
        }
    return false;
}

void CommandTablesSheet::refreshCommands() {
    m_commands->clear();
    const int c = m_categories->currentIndex();
    const auto categories = shell::keyPageCategories();
    if (c < 0 || size_t(c) >= categories.size()) return;
    for (CommandId id : categories[size_t(c)].commands) {
        if (m_services.knows && !m_services.knows(id)) continue;
        const std::string text = shell::commandDescription(id);
        if (text.empty()) continue;
        auto* item = new QListWidgetItem(q(text), m_commands);
        item->setData(kIdRole, int(id));
    }
    commandChosen();
}

CommandId CommandTablesSheet::chosenCommand() const {
    QListWidgetItem* item = m_commands->currentItem();
    return item ? CommandId(item->data(kIdRole).toInt()) : CommandId(0);
}

void CommandTablesSheet::commandChosen() {
    const CommandId id = chosenCommand();
    m_assigned->setText(id ? q(shell::KeyLookup(m_tables.keys).keyNames(id)) : QString());
    m_assign->setEnabled(id != 0 && m_keys->currentItem());
    m_unassign->setEnabled(m_keys->currentItem() != nullptr);
}

void CommandTablesSheet::assign() {
    QListWidgetItem* key = m_keys->currentItem();
    const CommandId id = chosenCommand();
    if (!key || !id) return;
    if (shell::assignKey(m_tables.keys, modifiers(), uint16_t(key->data(kKeyRole).toInt()), id) ==
        shell::AssignResult::TableFull) {
        if (m_services.messages) m_services.messages->showId(strings::kTooManyKeys, MsgIcon::Exclamation);
        return;
    }
    commandChosen();
}

void CommandTablesSheet::unassign() {
    QListWidgetItem* key = m_keys->currentItem();
    if (!key) return;
    shell::unassignKey(m_tables.keys, modifiers(), uint16_t(key->data(kKeyRole).toInt()));
    keyChosen();
}

// ---- The pages over lists of ids

IdTablePage::IdTablePage(std::vector<Source> tables, QStringList tableNames, bool toolbars,
                         CommandTablesSheetServices& services, QWidget* parent)
    : QWidget(parent), m_tables(std::move(tables)), m_toolbars(toolbars), m_services(services) {
    m_selector = new QComboBox(this);
    m_selector->addItems(tableNames);
    m_selector->setVisible(tableNames.size() > 1);
    m_current = new QListWidget(this);
    m_categories = new QComboBox(this);
    for (const shell::CommandCategory& c : toolbars ? shell::toolbarPageCategories() : shell::menuPageCategories())
        m_categories->addItem(q(c.name));
    m_available = new QListWidget(this);
    m_add = new QPushButton(q("<-追加(&A)"), this);
    m_remove = new QPushButton(q("削除(&R)->"), this);
    m_up = new QPushButton(q("上に移動(&U)"), this);
    m_down = new QPushButton(q("下に移動(&D)"), this);
    m_reset = new QPushButton(q("初期化(&I)"), this);

    auto* left = new QVBoxLayout;
    left->addWidget(m_selector);
    left->addWidget(new QLabel(q(toolbars ? "現在のﾂｰﾙﾊﾞｰ(&C)" : "現在のﾒﾆｭｰ(&C)"), this));
    left->addWidget(m_current);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {m_add, m_remove, m_up, m_down, m_reset}) middle->addWidget(b);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(m_categories);
    right->addWidget(new QLabel(q(toolbars ? "登録可能なﾂｰﾙﾊﾞｰ(&T)" : "登録可能なﾒﾆｭｰ(&M)"), this));
    right->addWidget(m_available);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(middle);
    layout->addLayout(right, 2);

    connect(m_selector, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_selected = std::clamp(i, 0, int(m_tables.size()) - 1);
        refresh(0);
    });
    connect(m_categories, &QComboBox::currentIndexChanged, this, [this] { refreshAvailable(); });
    connect(m_add, &QPushButton::clicked, this, [this] { add(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { remove(); });
    connect(m_up, &QPushButton::clicked, this, [this] { move(true); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(false); });
    connect(m_reset, &QPushButton::clicked, this, [this] { reset(); });
    refresh(0);
}

QString IdTablePage::itemText(uint32_t id) const {
    if (id == shell::kSeparatorId) return q(strings::text(strings::kMenuSeparator));
    std::string text = shell::commandShortName(CommandId(id));
    if (text.empty()) text = std::to_string(id);
    if (!m_toolbars && shell::isSubmenuId(id)) text += "ﾒﾆｭｰ";
    return q(text);
}

void IdTablePage::refresh(int selectRow) {
    m_current->clear();
    const Source& t = table();
    const int live = std::clamp(*t.count, 0, t.capacity);
    for (int i = 0; i < live; ++i) {
        auto* item = new QListWidgetItem(itemText(t.records[i]), m_current);
        item->setData(kIdRole, qlonglong(t.records[i]));
    }
    if (live > 0) m_current->setCurrentRow(std::clamp(selectRow, 0, live - 1));
    refreshAvailable();
}

void IdTablePage::refreshAvailable() {
    m_available->clear();
    const int c = m_categories->currentIndex();
    const auto categories = m_toolbars ? shell::toolbarPageCategories() : shell::menuPageCategories();
    if (c >= 0 && size_t(c) < categories.size()) {
        const Source& t = table();
        const int live = std::clamp(*t.count, 0, t.capacity);
        for (CommandId id : categories[size_t(c)].commands) {
            if (std::find(t.records, t.records + live, uint32_t(id)) != t.records + live) continue;
            const bool submenu = shell::isSubmenuId(id);
            if (!submenu && m_services.knows && !m_services.knows(id)) continue;
            if (m_toolbars && id != shell::kSearchBoxId && m_services.hasButtonImage && !m_services.hasButtonImage(id))
                continue;
            if (shell::commandDescription(id).empty()) continue;
            auto* item = new QListWidgetItem(itemText(id), m_available);
            item->setData(kIdRole, qlonglong(id));
        }
    }
    // A separator is always offered, at the end.
    auto* sep = new QListWidgetItem(itemText(shell::kSeparatorId), m_available);
    sep->setData(kIdRole, qlonglong(shell::kSeparatorId));
    m_available->setCurrentRow(0);
}

void IdTablePage::add() {
    QListWidgetItem* chosen = m_available->currentItem();
    if (!chosen) return;
    Source& t = table();
    const int live = std::clamp(*t.count, 0, t.capacity);
    if (live >= t.capacity) {
        if (m_services.messages) m_services.messages->showId(strings::kTooManyToolbarItems, MsgIcon::Exclamation);
        return;
    }
    // Before the selected item; at the start of an empty table.
    const int at = live == 0 ? 0 : std::max(0, m_current->currentRow());
    std::move_backward(t.records + at, t.records + live, t.records + live + 1);
    t.records[at] = uint32_t(chosen->data(kIdRole).toLongLong());
    *t.count = live + 1;
    *t.changed = true;
    refresh(at);
    emit edited();
}

void IdTablePage::remove() {
    Source& t = table();
    const int live = std::clamp(*t.count, 0, t.capacity);
    const int at = m_current->currentRow();
    if (at < 0 || at >= live) return;
    std::move(t.records + at + 1, t.records + live, t.records + at);
    t.records[live - 1] = 0;
    *t.count = live - 1;
    *t.changed = true;
    refresh(at);
    emit edited();
}

void IdTablePage::move(bool up) {
    Source& t = table();
    const int live = std::clamp(*t.count, 0, t.capacity);
    const int at = m_current->currentRow();
    const int other = up ? at - 1 : at + 1;
    if (at < 0 || at >= live || other < 0 || other >= live) return;
    std::swap(t.records[at], t.records[other]);
    *t.changed = true;
    refresh(other);
    emit edited();
}

void IdTablePage::reset() {
    Source& t = table();
    std::fill(t.records, t.records + t.capacity, 0u);
    std::copy(t.defaults.begin(), t.defaults.end(), t.records);
    *t.count = int(t.defaults.size());
    *t.changed = true;
    refresh(0);
    emit edited();
}

}  // namespace orvex::qt
