#pragma once
// The options window ("Options"): which on-board unit the ekvivalents serve,
// the KT500 and KT700 code table files, and the service switches M and F
// behind ">>". SET reads the chosen tables, sets the program options (the
// windows that depend on them follow OptionsModel::changed) and writes the
// options file; CANCEL changes nothing. Modal.

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace dorvak {

class Session;

class TFormVolby : public QDialog {
  Q_OBJECT
 public:
  TFormVolby(Session& session, QWidget* parent);

  // Opens the window modally (Tools > Options); the caller goes on at once.
  void showModal();

  void ButtonTBKClick();
  void ButtonTBKclClick();
  void Button700Click();
  void Button700clClick();
  void ButtonVYBERClick();
  void ButtonZRUSClick();
  void SpeedButtonFIREMNIClick();

  // Controls, named by their role.
  QGroupBox* GroupBoxTBK = nullptr;
  QLabel* PanelTBK = nullptr;
  QPushButton* ButtonTBK = nullptr;
  QPushButton* ButtonTBKcl = nullptr;
  QGroupBox* GroupBox700 = nullptr;
  QLabel* Panel700 = nullptr;
  QPushButton* Button700 = nullptr;
  QPushButton* Button700cl = nullptr;
  QGroupBox* RadioGroupEKV = nullptr;
  std::array<QRadioButton*, 3> RadioEKV{};  // none, KT500, KT700
  QPushButton* ButtonVYBER = nullptr;
  QPushButton* ButtonZRUS = nullptr;
  QPushButton* SpeedButtonFIREMNI = nullptr;
  QWidget* PanelFIREMNI = nullptr;  // the strip with M and F
  QCheckBox* CheckBoxM = nullptr;
  QCheckBox* CheckBoxF = nullptr;
  QCheckBox* CheckBoxZMENY = nullptr;

 private:
  void showPaths();
  void chooseTable(std::string& path, std::string_view title, std::string_view suffix);

  Session& session_;
  std::string kt500Path_;
  std::string kt700Path_;
};

}  // namespace dorvak
