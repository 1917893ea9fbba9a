#pragma once
// An up/down control: two arrow buttons beside a chooser's number box,
// holding a position within a range. What an arrow does is the chooser's
// business; the control only reports the click.

#include <QWidget>

class QToolButton;

namespace dorvak {

class UpDown : public QWidget {
  Q_OBJECT
 public:
  explicit UpDown(QWidget* parent = nullptr);

  void setRange(int minimum, int maximum);
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int position() const { return position_; }
  // Clamped to the range.
  void setPosition(int position);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  void clicked(bool up);

 private:
  QToolButton* up_;
  QToolButton* down_;
  int minimum_ = 0;
  int maximum_ = 0;
  int position_ = 0;
};

}  // namespace dorvak
