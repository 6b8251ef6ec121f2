#pragma once

#include <QDialog>

namespace zavevad {

/// The About box, shown modally from the menu.
class TFAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFAbout(QWidget *parent = nullptr);

    /// Centres the box on the screen and shows it modally.
    void showModal();

    void Label4Click();
};

} // namespace zavevad
