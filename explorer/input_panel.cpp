// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "input_panel.h"

#include "value_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace planewall {

namespace {

struct Caption
{
    Input input;
    const char *label; // with its mnemonic
    const char *name; // for screen readers
};

// Mnemonics leave F, C and H to the window's menus (File, Chart, Help).
constexpr Caption kCaptions[] = {
    {Input::L, "Half-thickness &L", "Half-thickness L"},
    {Input::K, "Conductivity &k", "Conductivity k"},
    {Input::Alpha, "Diffusi&vity \u03B1", "Diffusivity alpha"},
    {Input::Rho, "&Density \u03C1", "Density rho"},
    {Input::Cp, "S&pecific heat c\u209A", "Specific heat c p"},
    {Input::H, "Heat transfer co&efficient h", "Heat transfer coefficient h"},
    {Input::TInf, "Fl&uid temperature T\u221E", "Fluid temperature T infinity"},
    {Input::TI, "&Initial temperature T\u1D62", "Initial temperature T i"},
    {Input::T, "&Time t", "Time t"},
    {Input::X, "Position &x from the mid-plane", "Position x from the mid-plane"},
    {Input::Target, "Ta&rget temperature", "Target temperature"},
};

const Caption &captionOf(Input input)
{
    for (const Caption &c : kCaptions) {
        if (c.input == input)
            return c;
    }
    return kCaptions[0];
}

const char *solveForText(SolveFor s)
{
    switch (s) {
    case SolveFor::Temperature:
        return "Temperatures at t";
    case SolveFor::TimeAtX:
        return "Time t for T at x to reach the target";
    case SolveFor::TimeOnMean:
        return "Time t for the mean T to reach the target";
    case SolveFor::HAtX:
        return "h for T at x to reach the target by t";
    case SolveFor::HOnMean:
        return "h for the mean T to reach the target by t";
    }
    return "";
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Messages in a colour that reads on the window's background, light or dark.
QString messageStyle(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    return dark ? QStringLiteral("color: #ff9a8a;") : QStringLiteral("color: #b3261e;");
}

} // namespace

InputPanel::InputPanel(ExplorerForm &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    for (const Caption &c : kCaptions)
        makeRow(c.input);

    m_material = new QComboBox(this);
    m_material->setAccessibleName(tr("Material"));
    m_material->addItem(tr("Custom values"));
    for (const Material &material : materials())
        m_material->addItem(qs(material.name), qs(material.key));
    m_materialSource = new QLabel(this);
    m_materialSource->setWordWrap(true);
    m_materialSource->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont small = m_materialSource->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_materialSource->setFont(small);

    m_givenBy = new QComboBox(this);
    m_givenBy->setAccessibleName(tr("Heat capacity given as"));
    m_givenBy->addItem(tr("density and specific heat"));
    m_givenBy->addItem(tr("diffusivity \u03B1"));

    m_solveFor = new QComboBox(this);
    m_solveFor->setAccessibleName(tr("Solve for"));
    for (SolveFor s : kSolveFors)
        m_solveFor->addItem(tr(solveForText(s)), qs(solveForKey(s)));
    m_solveNote = new QLabel(this);
    m_solveNote->setWordWrap(true);
    m_solveNote->setFont(small);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group(tr("Wall"), {Input::L, Input::K, Input::Rho, Input::Cp, Input::Alpha},
                            m_material, tr("&Material"), m_materialSource));
    layout->addWidget(group(tr("Fluid"), {Input::H, Input::TInf}, nullptr, {}));
    layout->addWidget(group(tr("Start"), {Input::TI}, nullptr, {}));
    layout->addWidget(group(tr("When and where"), {Input::T, Input::X}, nullptr, {}));
    layout->addWidget(
        group(tr("Solve"), {Input::Target}, m_solveFor, tr("&Solve for"), m_solveNote));
    layout->addStretch(1);

    connect(m_material, &QComboBox::activated, this, [this](int i) {
        if (i > 0) {
            if (const Material *material
                = findMaterial(m_material->itemData(i).toString().toStdString()))
                m_form.chooseMaterial(*material);
        }
        refresh();
        Q_EMIT edited();
    });
    connect(m_givenBy, &QComboBox::activated, this, [this](int i) {
        m_form.setByDiffusivity(i == 1);
        refresh();
        Q_EMIT edited();
    });
    connect(m_solveFor, &QComboBox::activated, this, [this](int i) {
        if (const auto s = solveForOf(m_solveFor->itemData(i).toString().toStdString()))
            m_form.setSolveFor(*s);
        refresh();
        Q_EMIT edited();
    });
    refresh();
}

void InputPanel::makeRow(Input input)
{
    const Caption &caption = captionOf(input);
    Row &row = m_rows[index(input)];
    row.label = new QLabel(tr(caption.label), this);
    row.edit = new QLineEdit(this);
    row.edit->setAccessibleName(tr(caption.name));
    row.label->setBuddy(row.edit);
    row.unit = new QComboBox(this);
    row.unit->setAccessibleName(tr("Unit of %1").arg(tr(caption.name)));
    for (const Unit &unit : unitsOf(quantityOf(input)))
        row.unit->addItem(qs(displayUnit(unit.symbol)), qs(unit.symbol));
    row.unit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    row.message = new QLabel(this);
    row.message->setWordWrap(true);
    row.message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row.message->hide();

    connect(row.edit, &QLineEdit::textEdited, this, [this, input](const QString &text) {
        m_form.type(input, text.toStdString());
        updateMaterial();
        Q_EMIT edited();
    });
    connect(row.edit, &QLineEdit::returnPressed, this, &InputPanel::solveNow);
    connect(row.unit, &QComboBox::activated, this, [this, input](int i) {
        const std::string &text = m_form.changeUnit(
            input, m_rows[index(input)].unit->itemData(i).toString().toStdString());
        m_rows[index(input)].edit->setText(QString::fromStdString(text));
        Q_EMIT edited();
    });
}

QWidget *InputPanel::group(const QString &title, std::initializer_list<Input> inputs,
                           QComboBox *chooser, const QString &chooserLabel, QLabel *note)
{
    auto *box = new QGroupBox(title, this);
    auto *grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    int r = 0;
    const auto addChooser = [&](QComboBox *combo, const QString &label, QLabel *below) {
        auto *l = new QLabel(label, box);
        l->setBuddy(combo);
        grid->addWidget(l, r, 0);
        grid->addWidget(combo, r++, 1, 1, 2);
        if (below)
            grid->addWidget(below, r++, 1, 1, 2);
    };
    if (chooser && chooser != m_solveFor)
        addChooser(chooser, chooserLabel, note);
    for (Input input : inputs) {
        if (input == Input::Rho)
            addChooser(m_givenBy, tr("&Given as"), nullptr);
        if (input == Input::Target && chooser == m_solveFor)
            addChooser(chooser, chooserLabel, note);
        const Row &row = m_rows[index(input)];
        grid->addWidget(row.label, r, 0);
        grid->addWidget(row.edit, r, 1);
        grid->addWidget(row.unit, r++, 2);
        grid->addWidget(row.message, r++, 1, 1, 2);
    }
    return box;
}

std::vector<QWidget *> InputPanel::tabOrder() const
{
    const auto fields = [this](std::initializer_list<Input> inputs, std::vector<QWidget *> &out) {
        for (Input input : inputs) {
            out.push_back(m_rows[index(input)].edit);
            out.push_back(m_rows[index(input)].unit);
        }
    };
    std::vector<QWidget *> order = {m_material};
    fields({Input::L, Input::K}, order);
    order.push_back(m_givenBy);
    fields(
        {Input::Rho, Input::Cp, Input::Alpha, Input::H, Input::TInf, Input::TI, Input::T, Input::X},
        order);
    order.push_back(m_solveFor);
    fields({Input::Target}, order);
    return order;
}

void InputPanel::refresh()
{
    for (int i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        const UnitField &field = m_form.field(input);
        Row &row = m_rows[index(input)];
        const QString text = QString::fromStdString(field.text());
        if (row.edit->text() != text)
            row.edit->setText(text);
        row.unit->setCurrentIndex(row.unit->findData(QString::fromStdString(field.unit())));
    }
    m_givenBy->setCurrentIndex(m_form.byDiffusivity() ? 1 : 0);
    m_solveFor->setCurrentIndex(m_solveFor->findData(qs(solveForKey(m_form.solveFor()))));
    updateEnabled();
    updateMaterial();
}

void InputPanel::updateEnabled()
{
    const ExplorerFields fields = m_form.snapshot();
    for (int i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        const bool inUse = fieldInUse(fields, input);
        Row &row = m_rows[index(input)];
        for (QWidget *w : {static_cast<QWidget *>(row.label), static_cast<QWidget *>(row.edit),
                           static_cast<QWidget *>(row.unit)})
            w->setEnabled(inUse);
    }
    const SolveFor s = m_form.solveFor();
    edit(Input::H)->setPlaceholderText(solvesForH(s) ? tr("solved") : QString());
    edit(Input::T)->setPlaceholderText(solvesForTime(s) ? tr("optional") : QString());
    if (solvesForTime(s))
        m_solveNote->setText(
            tr("The time is solved; a time t given above only widens the charts."));
    else if (solvesForH(s))
        m_solveNote->setText(tr("h is solved for the time t given above."));
    else
        m_solveNote->setText(
            tr("Choose a solve to find the time or the h for a target temperature."));
}

void InputPanel::updateMaterial()
{
    const Material *material = m_form.material();
    m_material->setCurrentIndex(material ? m_material->findData(qs(material->key)) : 0);
    if (material) {
        m_materialSource->setText(
            tr("About %1 K. %2")
                .arg(qs(formatSignificant(material->temperature, 4)), qs(material->source)));
    } else {
        m_materialSource->setText(tr("k, \u03C1 and c\u209A as typed."));
    }
}

void InputPanel::showMessages(const std::vector<InputMessage> &messages)
{
    const QString style = messageStyle(palette());
    for (int i = 0; i < kInputCount; ++i) {
        Row &row = m_rows[static_cast<std::size_t>(i)];
        QString text;
        for (const InputMessage &m : messages) {
            if (static_cast<int>(m.input) == i)
                text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + qs(fieldMessage(m));
        }
        row.message->setStyleSheet(style);
        row.message->setText(text);
        row.message->setVisible(!text.isEmpty());
        row.edit->setAccessibleDescription(text);
    }
}

} // namespace planewall
