#include "accessiblenames.h"

#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tallyfin {

namespace {

// The parts of Qt's own combo box interface that a screen reader uses: the
// list of entries and the edit field as children, the entry as the value,
// the popup as the action; only the name differs.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view() && box()->view()->isVisible();
        state.editable = box()->isEditable();
        return state;
    }

    int childCount() const override { return static_cast<int>(parts().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QObject *> all = parts();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(parts().indexOf(child->object())) : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            box()->showPopup();
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }

    QList<QObject *> parts() const
    {
        QList<QObject *> all;
        if (box()->view())
            all << box()->view();
        if (box()->lineEdit())
            all << box()->lineEdit();
        return all;
    }
};

QAccessibleInterface *namedComboBoxes(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QComboBox *>(object);
    if (className != u"QComboBox" || !box || box->accessibleName().isEmpty())
        return nullptr;
    return new NamedComboBox(box);
}

} // namespace

void nameComboBoxesByTheirLabels()
{
    static const bool installed = (QAccessible::installFactory(&namedComboBoxes), true);
    Q_UNUSED(installed);
}

} // namespace tallyfin
