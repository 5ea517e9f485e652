#include "ui/qt/FormLayoutBuilder.h"

#include "ui/Container.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/SaveButtons.h"
#include "ui/TabStrip.h"
#include "ui/qt/BindingFactory.h"
#include "ui/qt/ContainerBinding.h"
#include "ui/qt/ControlBinding.h"
#include "ui/qt/FormDialog.h"
#include "ui/qt/FormRenderer.h"
#include "ui/qt/TabStripBinding.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace vel {

namespace {

bool isSmallInLine(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::Label:
        case ControlKind::NumberBox:
        case ControlKind::DateBox:
        case ControlKind::TimeBox:
        case ControlKind::ComboBox:
            return true;
        default:
            return false;
    }
}

QFormLayout* newRowsLayout(QWidget* host) {
    auto* layout = new QFormLayout(host);
    layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    layout->setRowWrapPolicy(QFormLayout::DontWrapRows);
    layout->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return layout;
}

}  // namespace

void FormLayoutBuilder::buildDialog(FormDialog& dialog) {
    QWidget* body = dialog.body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* content = new QWidget(body);
    outer->addWidget(content, 1);

    // Everything but the form's own save buttons goes into the content area, in order.
    QList<Control*> rows;
    QList<Control*> bottom;
    for (Control* control : renderer_.form().children()) {
        (control->kind() == ControlKind::SaveButtons ? bottom : rows) << control;
    }
    placeInRows(rows, content)->setContentsMargins(0, 0, 0, 0);
    for (Control* control : bottom) {
        outer->addSpacing(dialog.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing));
        ControlBinding& binding = bind(*control, body);
        outer->addWidget(binding.outerWidget());
    }
}

void FormLayoutBuilder::buildContainer(Container& container, QWidget* host) {
    const QList<Control*> children(container.children().begin(), container.children().end());
    if (container.layout() == Container::Layout::Rows) {
        placeInRows(children, host);
        return;
    }
    auto* layout = new QHBoxLayout(host);
    if (!qobject_cast<QGroupBox*>(host)) {
        layout->setContentsMargins(0, 0, 0, 0);
    }
    QList<ControlBinding*> placed;
    bool allSmall = true;
    for (Control* control : children) {
        ControlBinding& binding = bind(*control, host);
        addToLine(layout, binding, host);
        placed << &binding;
        allSmall = allSmall && isSmallInLine(control->kind());
    }
    if (allSmall) {
        layout->addStretch(1);
    }
    assignLabelBuddies(placed);
}

// Check boxes and buttons line up with the fields when the rows have caption labels on the
// left; without such labels they start at the left edge.
QFormLayout* FormLayoutBuilder::placeInRows(const QList<Control*>& controls, QWidget* host) {
    auto* layout = newRowsLayout(host);
    QList<ControlBinding*> bindings;
    bool labelColumnUsed = false;
    for (Control* control : controls) {
        ControlBinding& binding = bind(*control, host);
        bindings << &binding;
        labelColumnUsed =
            labelColumnUsed || (binding.placement() == ControlBinding::Placement::Field &&
                                binding.wantsCaptionLabel());
    }
    for (ControlBinding* binding : bindings) {
        addToRows(layout, *binding, labelColumnUsed, host);
    }
    assignLabelBuddies(bindings);
    return layout;
}

ControlBinding& FormLayoutBuilder::bind(Control& control, QWidget* host) {
    std::unique_ptr<ControlBinding> made = createBinding(control, renderer_, host);
    ControlBinding& binding = *made;
    renderer_.addBinding(std::move(made));
    buildChildren(binding);
    return binding;
}

// Frames, rows, save buttons and tab pages hold controls of their own.
void FormLayoutBuilder::buildChildren(ControlBinding& binding) {
    if (auto* strip = dynamic_cast<TabStripBinding*>(&binding)) {
        TabStrip& model = strip->strip();
        for (int number = 1; number <= model.count(); ++number) {
            buildContainer(model.tab(number), strip->pageWidget(number));
        }
    } else if (auto* holder = dynamic_cast<ContainerBinding*>(&binding)) {
        if (auto* saveButtons = dynamic_cast<SaveButtons*>(&binding.control())) {
            for (Control* button : saveButtons->children()) {
                bind(*button, holder->outerWidget());
            }
            holder->buildButtonBox(*saveButtons);
        } else if (auto* frame = dynamic_cast<Frame*>(&binding.control())) {
            buildContainer(*frame, holder->outerWidget());
        }
    }
}

void FormLayoutBuilder::addToRows(QFormLayout* layout, ControlBinding& binding,
                                  bool labelColumnUsed, QWidget* host) {
    QWidget* widget = binding.outerWidget();
    QLabel* label = nullptr;
    if (binding.wantsCaptionLabel()) {
        label = new QLabel(binding.control().caption(), host);
        label->setBuddy(binding.focusWidget());
        binding.setCaptionLabel(label);
    }
    switch (binding.placement()) {
        case ControlBinding::Placement::Field:
            if (label) {
                layout->addRow(label, widget);
                binding.setFormRows(layout, {widget});
                return;
            }
            break;
        case ControlBinding::Placement::WideField:
            if (label) {
                layout->addRow(label);
                layout->addRow(widget);
                binding.setFormRows(layout, {label, widget});
                return;
            }
            break;
        case ControlBinding::Placement::CheckField:
            if (labelColumnUsed) {
                const int row = layout->rowCount();
                layout->setWidget(row, QFormLayout::FieldRole, widget);
                binding.setFormRows(layout, {widget});
                return;
            }
            break;
        case ControlBinding::Placement::Spanning:
            break;
    }
    layout->addRow(widget);
    binding.setFormRows(layout, {widget});
}

void FormLayoutBuilder::addToLine(QHBoxLayout* layout, ControlBinding& binding, QWidget* host) {
    if (binding.wantsCaptionLabel()) {
        auto* label = new QLabel(binding.control().caption(), host);
        label->setBuddy(binding.focusWidget());
        binding.setCaptionLabel(label);
        layout->addWidget(label);
    }
    layout->addWidget(binding.outerWidget());
}

// A label control whose caption has a mnemonic gives the focus to the control after it.
void FormLayoutBuilder::assignLabelBuddies(const QList<ControlBinding*>& bindings) {
    for (qsizetype i = 0; i < bindings.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(bindings[i]->outerWidget());
        if (!label || bindings[i]->control().kind() != ControlKind::Label) {
            continue;
        }
        for (qsizetype next = i + 1; next < bindings.size(); ++next) {
            const ControlKind kind = bindings[next]->control().kind();
            if (kind != ControlKind::Label && kind != ControlKind::Frame &&
                kind != ControlKind::Row) {
                label->setBuddy(bindings[next]->focusWidget());
                break;
            }
        }
    }
}

}  // namespace vel
