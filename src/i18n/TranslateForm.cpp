#include "i18n/TranslateForm.h"
#include "i18n/IniFile.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace
{

// Editor windows in the MDI area and open dialogs are windows of their own,
// translated from their own sections; pop-up menus belong to the form.
bool isOtherWindow(QObject *o)
{
    if (qobject_cast<QMdiSubWindow *>(o))
        return true;
    auto *w = qobject_cast<QWidget *>(o);
    return w && w->isWindow() && !qobject_cast<QMenu *>(w);
}

int tagOf(const QObject *o)
{
    return o->property(Tag::Property).toInt();
}

class Translator
{
public:
    Translator(const IniFile &ini, const QString &section, bool includeCombos)
        : m_ini(ini)
        , m_section(section)
        , m_includeCombos(includeCombos)
    {
    }

    // Depth first in child order, which is the order the window built its controls.
    void walk(QObject *parent)
    {
        for (QObject *child : parent->children()) {
            const QString name = child->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
                apply(child, name);
            if (!isOtherWindow(child))
                walk(child);
        }
    }

private:
    QString text(const QString &key, const QString &current) const { return m_ini.readString(m_section, key, current); }
    QString caption(const QString &name, const QString &current) const
    {
        return text(name + QLatin1String(".Caption"), current);
    }
    QString hint(const QString &name, const QString &current) const
    {
        return text(name + QLatin1String(".Hint"), current);
    }
    QString entry(const QString &name, int i, const QString &current) const
    {
        return text(name + QLatin1Char('.') + QString::number(i), current);
    }

    void apply(QObject *o, const QString &name)
    {
        if (auto *label = qobject_cast<QLabel *>(o)) {
            label->setText(caption(name, label->text()));
        } else if (auto *action = qobject_cast<QAction *>(o)) {
            // A menu item; a sub-menu's title is the text of its menu action.
            if (action->isSeparator())
                return;
            action->setText(caption(name, action->text()));
            const QString h = hint(name, action->statusTip());
            action->setStatusTip(h);
            action->setToolTip(h);
        } else if (auto *push = qobject_cast<QPushButton *>(o)) {
            push->setText(caption(name, push->text()));
        } else if (auto *tool = qobject_cast<QToolButton *>(o)) {
            // A tool button made from an action is translated through that action.
            if (tool->defaultAction() && !tool->defaultAction()->objectName().isEmpty())
                return;
            tool->setText(caption(name, tool->text()));
            tool->setToolTip(hint(name, tool->toolTip()));
        } else if (auto *table = qobject_cast<QTableView *>(o)) {
            if (tagOf(o) != Tag::NoEntries)
                translateHeader(table, name);
        } else if (auto *combo = qobject_cast<QComboBox *>(o)) {
            if (m_includeCombos && tagOf(o) != Tag::NoEntries)
                translateCombo(combo, name);
        } else if (auto *check = qobject_cast<QCheckBox *>(o)) {
            check->setText(caption(name, check->text()));
        } else if (auto *radio = qobject_cast<QRadioButton *>(o)) {
            radio->setText(caption(name, radio->text()));
        } else if (auto *group = qobject_cast<QGroupBox *>(o)) {
            group->setTitle(caption(name, group->title()));
        } else if (auto *list = qobject_cast<QListWidget *>(o)) {
            if (tagOf(o) != Tag::NoEntries)
                for (int i = 0; i < list->count(); ++i)
                    list->item(i)->setText(entry(name, i, list->item(i)->text()));
        } else if (auto *page = qobject_cast<QWidget *>(o)) {
            translateTabPage(page, name);
        }
    }

    // Column c of the table answers to key "name.(c+1)": the table has no
    // column for the hidden title column that the key numbering counts as 0.
    void translateHeader(QTableView *table, const QString &name)
    {
        QAbstractItemModel *model = table->model();
        if (!model)
            return;
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString current = model->headerData(c, Qt::Horizontal).toString();
            const QString next = entry(name, c + 1, current);
            if (next != current)
                model->setHeaderData(c, Qt::Horizontal, next);
        }
    }

    void translateCombo(QComboBox *combo, const QString &name)
    {
        const int selected = combo->currentIndex();
        const int count = tagOf(combo) == Tag::FirstEntryOnly ? qMin(1, combo->count()) : combo->count();
        for (int i = 0; i < count; ++i)
            combo->setItemText(i, entry(name, i, combo->itemText(i)));
        combo->setCurrentIndex(selected);
    }

    // A tab page is the page widget of a QTabWidget (held by its inner stack).
    void translateTabPage(QWidget *page, const QString &name)
    {
        auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
        auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
        const int index = tabs ? tabs->indexOf(page) : -1;
        if (index >= 0)
            tabs->setTabText(index, caption(name, tabs->tabText(index)));
    }

    const IniFile &m_ini;
    const QString m_section;
    const bool m_includeCombos;
};

} // namespace

void TranslateForm(QWidget *form, const QString &appFolder, const QString &languageName, bool includeCombos)
{
    if (!form)
        return;
    const IniFile ini(appFolder + languageName + QStringLiteral(".Ini"));
    if (!ini.exists())
        return;
    const QString section = form->objectName();
    form->setWindowTitle(ini.readString(section, section + QStringLiteral(".Caption"), form->windowTitle()));
    Translator(ini, section, includeCombos).walk(form);
}
