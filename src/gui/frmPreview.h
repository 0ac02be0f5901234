#pragma once
// The preview dialog: the source record and what the conversion makes of it
// side by side, with the line that tells where the record goes, stepped
// through with Föregående and Nästa.
#include <QDialog>

#include "app/PreviewModel.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelvo::gui {

class TfrmPreview : public QDialog {
public:
  explicit TfrmPreview(TPreviewModel& model, QWidget* parent = nullptr);

  TPreviewModel& Model() { return model_; }
  // Shows the model's current record and what is available.
  void ShowState();

private:
  TPreviewModel& model_;
  QLabel* lblPosition_ = nullptr;
  QLabel* lblDestination_ = nullptr;
  QPlainTextEdit* txtSource_ = nullptr;
  QPlainTextEdit* txtConverted_ = nullptr;
  QPushButton* btnPrevious_ = nullptr;
  QPushButton* btnNext_ = nullptr;
};

} // namespace kelvo::gui
