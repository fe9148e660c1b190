#pragma once

#include <QPushButton>

namespace ventaro {

// The window's small push buttons, drawn by themselves: a light face with a
// grey edge, lighter under the pointer, darker while pressed, and focus
// shown by the whole face turning dark with a yellow edge, which stands out
// from the light face and from the panel alike (a ring would cover the
// caption at 17 x 12 pixels). Painting them, rather than styling them with
// a style sheet, keeps the style sheet engine out of memory.
class FlatButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FlatButton)

public:
    explicit FlatButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace ventaro
