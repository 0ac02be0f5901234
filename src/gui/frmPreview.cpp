#include "gui/frmPreview.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/QtText.h"

namespace kelvo::gui {

namespace {

QPushButton* Button(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

// A read-only pane of record lines in a fixed-width font, in a titled box.
QGroupBox* Pane(const char* name, const QString& title, QPlainTextEdit*& text) {
  text = new QPlainTextEdit;
  text->setObjectName(QString::fromLatin1(name));
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* box = new QGroupBox(title);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(text);
  return box;
}

// Record text (code page 1252, lines ended by CR LF) for a pane.
QString RecordText(const std::string& text) {
  QString shown = FromCp1252(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

} // namespace

TfrmPreview::TfrmPreview(TPreviewModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("frmPreview"));
  setWindowTitle(QStringLiteral("F\u00f6rhandsgranska"));
  setSizeGripEnabled(true);

  auto* layout = new QVBoxLayout(this);
  if (!model_.Note.empty()) {
    auto* note = new QLabel(FromCp1252(model_.Note));
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  lblPosition_ = new QLabel;
  lblPosition_->setObjectName(QStringLiteral("lblPosition"));
  lblDestination_ = new QLabel;
  lblDestination_->setObjectName(QStringLiteral("lblDestination"));
  QFont bold = lblDestination_->font();
  bold.setBold(true);
  lblDestination_->setFont(bold);
  auto* place = new QHBoxLayout;
  place->addWidget(lblPosition_);
  place->addSpacing(16);
  place->addWidget(lblDestination_, 1);
  layout->addLayout(place);

  auto* panes = new QHBoxLayout;
  panes->addWidget(Pane("txtSource", QStringLiteral("K\u00e4llpost"), txtSource_));
  panes->addWidget(Pane("txtConverted", QStringLiteral("Resultat"), txtConverted_));
  txtConverted_->setPlaceholderText(QStringLiteral("(skrivs inte)"));
  layout->addLayout(panes, 1);

  btnPrevious_ = Button("btnPrevious", QStringLiteral("F\u00f6reg\u00e5ende"));
  btnPrevious_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  btnNext_ = Button("btnNext", QStringLiteral("N\u00e4sta"));
  btnNext_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  auto* btnClose = Button("btnClose", QStringLiteral("St\u00e4ng"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnPrevious_);
  buttons->addWidget(btnNext_);
  buttons->addStretch(1);
  buttons->addWidget(btnClose);
  layout->addLayout(buttons);

  connect(btnPrevious_, &QPushButton::clicked, this, [this] {
    model_.Previous();
    ShowState();
  });
  connect(btnNext_, &QPushButton::clicked, this, [this] {
    model_.Next();
    ShowState();
  });
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
  resize(900, 520);
  ShowState();
}

void TfrmPreview::ShowState() {
  const bool any = !model_.Records.empty();
  lblPosition_->setText(FromCp1252(model_.PositionText()));
  lblDestination_->setText(FromCp1252(model_.DestinationText()));
  txtSource_->setPlainText(any ? RecordText(model_.Records[model_.Current].Source) : QString());
  txtConverted_->setPlainText(any ? RecordText(model_.Records[model_.Current].Converted) : QString());
  btnPrevious_->setEnabled(model_.HasPrevious());
  btnNext_->setEnabled(model_.HasNext());
}

} // namespace kelvo::gui
