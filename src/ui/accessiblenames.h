#pragma once

class QWidget;

namespace zavevad {

/// Names the labelled controls under `root` after their labels, for assistive
/// technology: a label's buddy, else the input control just right of a label
/// on its row (which becomes the buddy). A number box and its text field both
/// take the name, as the field holds the focus. Trailing colons are dropped.
void nameControlsByLabels(QWidget *root);

} // namespace zavevad
