#pragma once
// The field-filter editor: Qt widgets bound to the filter-editor model. The
// list shows the model's entries; the edit fields let through only what the
// model's key filters accept, typed or pasted.
#include <QDialog>

#include "app/FilterEditorModel.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelvo::gui {

class TfrmMarcFilter : public QDialog {
public:
  explicit TfrmMarcFilter(TFilterEditorModel& model, QWidget* parent = nullptr);

  TFilterEditorModel& Model() { return model_; }
  // Shows the model: the list, the edit fields and what is available.
  void ShowState();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormActivate();

  TFilterEditorModel& model_;
  QListWidget* lbxExclude_ = nullptr;
  QPushButton* btnAdd_ = nullptr;
  QPushButton* btnRemove_ = nullptr;
  QLineEdit* edMarcFieldTag_ = nullptr;
  QLineEdit* edSubFields_ = nullptr;
  QPushButton* btnOK_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
};

} // namespace kelvo::gui
