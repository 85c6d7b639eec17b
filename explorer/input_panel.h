// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "explorer_form.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace planewall {

// The explorer's inputs, grouped: the wall, the fluid, the start, when and where, and what to
// solve for. Each field has its unit chooser and a line for its message below it. The panel
// shows an ExplorerForm and forwards the user's edits to it; it keeps nothing of its own.
class InputPanel : public QWidget
{
    Q_OBJECT

public:
    explicit InputPanel(ExplorerForm &form, QWidget *parent = nullptr);

    // Shows the form as it is (after it changed other than through this panel).
    void refresh();
    // The messages of the last study beside their inputs; an empty list clears them all.
    void showMessages(const std::vector<InputMessage> &messages);

    QLineEdit *edit(Input input) const { return m_rows[index(input)].edit; }
    QComboBox *unitChooser(Input input) const { return m_rows[index(input)].unit; }
    QLabel *message(Input input) const { return m_rows[index(input)].message; }
    QComboBox *materialChooser() const { return m_material; }
    QComboBox *givenByChooser() const { return m_givenBy; }
    QComboBox *solveForChooser() const { return m_solveFor; }
    // The panel's controls in reading order, for the window's Tab chain.
    std::vector<QWidget *> tabOrder() const;

Q_SIGNALS:
    void edited(); // any change of the form by the user
    void solveNow(); // Enter in a field

private:
    struct Row
    {
        QLabel *label = nullptr;
        QLineEdit *edit = nullptr;
        QComboBox *unit = nullptr;
        QLabel *message = nullptr;
    };
    static std::size_t index(Input input) { return static_cast<std::size_t>(input); }

    QWidget *group(const QString &title, std::initializer_list<Input> inputs, QComboBox *chooser,
                   const QString &chooserLabel, QLabel *note = nullptr);
    void makeRow(Input input);
    void updateEnabled();
    void updateMaterial();

    ExplorerForm &m_form;
    std::array<Row, kInputCount> m_rows;
    QComboBox *m_material = nullptr;
    QLabel *m_materialSource = nullptr;
    QComboBox *m_givenBy = nullptr;
    QComboBox *m_solveFor = nullptr;
    QLabel *m_solveNote = nullptr;
};

} // namespace planewall
