#include "app/widgets/RowButtons.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

namespace qm {

namespace {

// Marks the widget around a view whose row buttons it lists.
constexpr const char* rowButtonsOf = "qm_rowButtonsOf";

QAbstractItemView* viewOf(const QObject* around)
{
    return qobject_cast<QAbstractItemView*>(around->property(rowButtonsOf).value<QObject*>());
}

// The row buttons of the view's index widgets, row by row, column by column.
std::vector<RowButton*> rowButtons(const QAbstractItemView* view)
{
    std::vector<RowButton*> buttons;
    const QAbstractItemModel* model = view ? view->model() : nullptr;
    if (!model)
        return buttons;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row)
        for (int column = 0; column < model->columnCount(root); ++column)
            if (QWidget* cell = view->indexWidget(model->index(row, column, root))) {
                if (auto* button = qobject_cast<RowButton*>(cell))
                    buttons.push_back(button);
                for (RowButton* button : cell->findChildren<RowButton*>())
                    buttons.push_back(button);
            }
    return buttons;
}

// The widget around a view: its own children, then the view's row buttons.
class RowButtonsParent final : public QAccessibleWidget {
public:
    explicit RowButtonsParent(QWidget* widget) : QAccessibleWidget(widget) {}

    int childCount() const override { return QAccessibleWidget::childCount() + int(buttons().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index < own)
            return QAccessibleWidget::child(index);
        const auto list = buttons();
        return index - own < int(list.size()) ? QAccessible::queryAccessibleInterface(list[std::size_t(index - own)])
                                              : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (auto* button = child ? qobject_cast<RowButton*>(child->object()) : nullptr) {
            const auto list = buttons();
            for (std::size_t i = 0; i < list.size(); ++i)
                if (list[i] == button)
                    return QAccessibleWidget::childCount() + int(i);
            return -1;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    std::vector<RowButton*> buttons() const { return rowButtons(viewOf(widget())); }
};

// A row button: a button that presses, a child of the widget around its view.
class RowButtonInterface final : public QAccessibleWidget {
public:
    explicit RowButtonInterface(RowButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessibleInterface* parent() const override
    {
        for (QWidget* up = widget()->parentWidget(); up; up = up->parentWidget())
            if (auto* view = qobject_cast<QAbstractItemView*>(up)) {
                QWidget* around = view->parentWidget();
                if (around && viewOf(around) == view)
                    return QAccessible::queryAccessibleInterface(around);
                break;
            }
        return QAccessibleWidget::parent();
    }
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action == pressAction()) {
            if (widget()->isEnabled())
                static_cast<RowButton*>(widget())->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction())
            return {QStringLiteral("Return"), QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

QAccessibleInterface* rowButtonsAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String("qm::RowButton"))
        return new RowButtonInterface(static_cast<RowButton*>(object));
    if (className == QLatin1String("QWidget") && object->isWidgetType() && viewOf(object))
        return new RowButtonsParent(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void exposeRowButtons(QAbstractItemView* view)
{
    static const bool installed = [] {
        QAccessible::installFactory(rowButtonsAccessibility);
        return true;
    }();
    (void)installed;
    if (QWidget* around = view->parentWidget())
        around->setProperty(rowButtonsOf, QVariant::fromValue<QObject*>(view));
}

} // namespace qm
