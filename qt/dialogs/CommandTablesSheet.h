#pragma once
// The key, context-menu and toolbar pages ("ｷｰｺｰﾄﾞ ", "　ﾒﾆｭｰ　", "ﾂｰﾙﾊﾞｰ")
// on one sheet. Each page edits a copy of its table; OK hands the copies
// back (tables()), Cancel drops them. With "即時反映(&N)" on, toolbar edits
// are handed over at once through the apply-soon handler.
#include <QDialog>
#include <functional>
#include <memory>

#include "common/commands/CommandIds.h"
#include "settings/CommandTables.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace orvex {
class MessageBoxes;
}

namespace orvex::qt {

class IdTablePage;

struct CommandTablesSheetServices {
    std::function<bool(CommandId)> knows;           // some target has the command
    std::function<bool(CommandId)> hasButtonImage;  // may stand on a toolbar
    MessageBoxes* messages = nullptr;               // 30014, 30015
    // Called with the copies after each toolbar edit while ToolbarChangeSoon is on.
    std::function<void(const settings::CommandTables&)> applySoon;
};

// The page-owned options besides the tables.
struct CommandTablesOptions {
    bool cMenuExe = false;           // CMenuExe
    bool rBtnUpDown = false;         // RBtnUpDown
    bool toolbarChangeSoon = false;  // ToolbarChangeSoon
};

class CommandTablesSheet final : public QDialog {
    Q_OBJECT
public:
    CommandTablesSheet(const settings::CommandTables& tables, const CommandTablesOptions& options,
                       CommandTablesSheetServices services, QWidget* parent = nullptr);
    ~CommandTablesSheet() override;

    const settings::CommandTables& tables() const { return m_tables; }
    CommandTablesOptions options() const;

    // ---- The key page's controls (tests drive them)
    QTabWidget* tabs() const { return m_tabs; }
    QCheckBox* altBox() const { return m_alt; }
    QCheckBox* ctrlBox() const { return m_ctrl; }
    QCheckBox* shiftBox() const { return m_shift; }
    QComboBox* keyKinds() const { return m_kinds; }
    QListWidget* keyList() const { return m_keys; }
    QComboBox* keyCategories() const { return m_categories; }
    QListWidget* commandList() const { return m_commands; }
    QLineEdit* assignedKeys() const { return m_assigned; }
    QPushButton* assignButton() const { return m_assign; }
    QPushButton* unassignButton() const { return m_unassign; }
    QPushButton* resetKeysButton() const { return m_resetKeys; }
    QPushButton* linuxKeysButton() const { return m_linuxKeys; }
    IdTablePage* menuPage() const { return m_menuPage; }
    IdTablePage* toolbarPage() const { return m_toolbarPage; }
    // Selects a command in the key page's lists (its first category).
    bool selectCommand(CommandId id);

private:
    QWidget* buildKeyPage();
    uint8_t modifiers() const;
    void refreshKeys();
    void keyChosen();
    void refreshCommands();
    void commandChosen();
    CommandId chosenCommand() const;
    void assign();
    void unassign();

    settings::CommandTables m_tables;
    CommandTablesSheetServices m_services;
    QTabWidget* m_tabs = nullptr;
    QCheckBox *m_alt = nullptr, *m_ctrl = nullptr, *m_shift = nullptr;
    QComboBox* m_kinds = nullptr;
    QListWidget* m_keys = nullptr;
    QComboBox* m_categories = nullptr;
    QListWidget* m_commands = nullptr;
    QLineEdit* m_assigned = nullptr;
    QPushButton *m_assign = nullptr, *m_unassign = nullptr, *m_resetKeys = nullptr, *m_linuxKeys = nullptr;
    IdTablePage* m_menuPage = nullptr;
    IdTablePage* m_toolbarPage = nullptr;
    QCheckBox* m_cMenuExe = nullptr;
    QCheckBox* m_rBtnUpDown = nullptr;
    QCheckBox* m_changeSoon = nullptr;
};

// A page over a list of command ids (the context menu, the toolbars): the
// table on the left, the chosen category's commands that are not in it on
// the right, with add, remove, move and reset buttons.
class IdTablePage final : public QWidget {
    Q_OBJECT
public:
    struct Source {
        uint32_t* records;  // the copy being edited
        int* count;
        bool* changed;
        int capacity;
        std::vector<uint32_t> defaults;
    };
    IdTablePage(std::vector<Source> tables, QStringList tableNames, bool toolbars, CommandTablesSheetServices& services,
                QWidget* parent = nullptr);

    QComboBox* tableSelector() const { return m_selector; }
    QListWidget* current() const { return m_current; }
    QComboBox* categories() const { return m_categories; }
    QListWidget* available() const { return m_available; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* upButton() const { return m_up; }
    QPushButton* downButton() const { return m_down; }
    QPushButton* resetButton() const { return m_reset; }

signals:
    void edited();

private:
    Source& table() { return m_tables[size_t(m_selected)]; }
    QString itemText(uint32_t id) const;
    void refresh(int selectRow);
    void refreshAvailable();
    void add();
    void remove();
    void move(bool up);
    void reset();

    std::vector<Source> m_tables;
    int m_selected = 0;
    bool m_toolbars;
    CommandTablesSheetServices& m_services;
    QComboBox* m_selector = nullptr;
    QListWidget* m_current = nullptr;
    QComboBox* m_categories = nullptr;
    QListWidget* m_available = nullptr;
    QPushButton *m_add = nullptr, *m_remove = nullptr, *m_up = nullptr, *m_down = nullptr, *m_reset = nullptr;
};

}  // namespace orvex::qt
