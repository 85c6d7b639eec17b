// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QLabel>

namespace planewall {

// A label whose text is one link: clicked, or focused by Tab and pressed with Enter or Space,
// it emits linkActivated() with the link's target. Tab moves on at once (a plain QLabel with
// keyboard-accessible links takes a second Tab to select its link first); the focus shows as
// the style's focus rectangle around the text.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString &caption, const QString &target, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_target;
};

} // namespace planewall
