#pragma once
// The panel configuration window ("Panel configuration"): position, display
// type, firmware and size of the panel, the rectangles and default styles of
// its fields, the IBIS commands it answers, its options and number, and the
// data base's code table and format strings. The controls edit a working
// copy (the library's ConfigurationForm, a code table and format strings);
// SET checks what the new configuration would do to the data base and
// applies all of it as one undoable command; CANCEL, Escape and closing the
// window reload the controls from the data base. Modal.

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/configuration_form.h"
#include "core/code_table.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace dorvak {

class Session;

class TFormKONF : public QDialog {
  Q_OBJECT
 public:
  TFormKONF(Session& session, QWidget* parent);

  // Opens the window modally (Tools > Configuration, New); the caller goes
  // on at once.
  void showModal();
  // Fills the controls from the data base.
  void load();

  void ButtonNASTAVClick();
  void ButtonSTORNOClick();
  // The "Code table" group: Browse, none (and Delete), self, KT500, Save as.
  void ButtonKODClick();
  void ButtonKODclClick();
  void ButtonKODvlastniClick();
  void ButtonKOD500Click();
  void MenuKODulozClick();
  // The "Format strings" group: Browse, none, Save as.
  void ButtonSTRClick();
  void ButtonSTRclClick();
  void MenuSTRulozClick();

  const ConfigurationForm& form() const { return form_; }
  const CodeTable& workingCodeTable() const { return codeTable_; }
  const FormatStrings& workingFormatStrings() const { return formatStrings_; }

  // Controls, named by their role.
  QTabWidget* PageControl1 = nullptr;
  QComboBox* ComboBoxTyp = nullptr;
  QComboBox* ComboBoxPanel = nullptr;
  QComboBox* ComboBoxFW = nullptr;
  QGroupBox* GroupBoxCislaC = nullptr;
  QGroupBox* GroupBoxCislaL = nullptr;
  QRadioButton* RadioButtonC3 = nullptr;
  QRadioButton* RadioButtonC4 = nullptr;
  QRadioButton* RadioButtonL3 = nullptr;
  QRadioButton* RadioButtonL4 = nullptr;
  QLineEdit* EditVYSKA = nullptr;
  QLineEdit* EditDELKA = nullptr;
  QLabel* PanelVYSKA = nullptr;  // the size, read-only, on the DIMENSIONS tab
  QLabel* PanelDELKA = nullptr;
  std::array<QGroupBox*, 3> GroupBoxPole{};                 // line, destination, stop fields
  std::array<std::array<QLineEdit*, 4>, 3> EditPole{};      // [field][Bound]: EditDOLNIL ... EditPRAVYZ
  std::array<QGroupBox*, 3> GroupBoxStyl{};                 // line, destination, stop styles
  std::array<std::array<QLineEdit*, 4>, 3> EditStyl{};      // [field][StyleValue]: EditFL ... EditZZ
  std::array<QCheckBox*, kCommandCount> CheckBoxCommand{};  // CheckBox_l ... CheckBox_aSD
  QCheckBox* CheckBox_spec = nullptr;
  QGroupBox* GroupBoxKOD = nullptr;
  QLabel* PanelKOD = nullptr;
  QPushButton* ButtonKOD = nullptr;
  QPushButton* ButtonKODcl = nullptr;
  QPushButton* ButtonKODvlastni = nullptr;
  QPushButton* ButtonKOD500 = nullptr;
  QPushButton* ButtonKODuloz = nullptr;
  QMenu* PopupKOD = nullptr;
  QAction* MenuKODcti = nullptr;
  QAction* MenuKODuloz = nullptr;
  QAction* MenuKODzrus = nullptr;
  QGroupBox* GroupBoxSTRINGY = nullptr;
  QLabel* PanelSTRINGY = nullptr;
  QPushButton* ButtonSTR = nullptr;
  QPushButton* ButtonSTRcl = nullptr;
  QPushButton* ButtonSTRuloz = nullptr;
  QMenu* PopupSTR = nullptr;
  QAction* MenuSTRuloz = nullptr;
  QLabel* LabelCislo = nullptr;
  QSpinBox* SpinEditCislo = nullptr;
  QGroupBox* GroupBoxVolby = nullptr;
  std::array<QCheckBox*, 5> CheckBoxP{};
  QPushButton* ButtonNASTAV = nullptr;
  QPushButton* ButtonSTORNO = nullptr;

 public slots:
  // Escape and the close box: as CANCEL.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A typed value: checked and stored by the form when confirmed.
  struct ValueEdit {
    QLineEdit* edit;
    std::function<std::optional<std::string>(std::string_view text, Trigger trigger)> accept;
  };

  QWidget* createPanelTab();
  QWidget* createDimensionsTab();
  QWidget* createSettingsTab();
  QWidget* createIbisTab();
  QWidget* createOptionsTab();
  QLineEdit* valueEdit(QWidget* parent, const char* name, const QString& caption,
                       std::function<std::optional<std::string>(std::string_view, Trigger)> accept);
  void refresh();
  // Checks and stores the edit's value; false when it was refused (the
  // message shown and the field restored).
  bool confirm(QLineEdit* edit, Trigger trigger);
  void showRefusal(const std::optional<std::string>& message);
  void setCommand(Command command, bool checked);
  std::optional<QString> chooseTableFile(bool save, std::string_view title, const QStringList& filters);

  Session& session_;
  ConfigurationForm form_;
  CodeTable codeTable_;
  FormatStrings formatStrings_;
  std::vector<ValueEdit> valueEdits_;
  QString focusText_;     // the field's text when it got the focus, or its last accepted one
  bool closing_ = false;  // CANCEL, Escape or SET: no value checks while the window goes
  bool checking_ = false; // a refusal is being shown
  int busy_ = 0;          // while the window sets its own controls, handlers return at once
};

}  // namespace dorvak
