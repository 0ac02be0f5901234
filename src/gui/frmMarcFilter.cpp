#include "gui/frmMarcFilter.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <QValidator>

#include "gui/QtText.h"

namespace kelvo::gui {

namespace {

// Accepts a field's text when the model's key filter would have let it be
// typed, so that pasting cannot bring in what typing cannot.
class TKeyFilterValidator : public QValidator {
public:
  using TAccepts = bool (*)(std::string_view);
  TKeyFilterValidator(TAccepts accepts, QObject* parent) : QValidator(parent), accepts_(accepts) {}

  State validate(QString& input, int&) const override {
    const std::string text = ToCp1252(input);
    return FromCp1252(text) == input && accepts_(text) ? Acceptable : Invalid;
  }

private:
  TAccepts accepts_;
};

QPushButton* Button(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QLineEdit* Edit(const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

void SetTextKeepingCursor(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}

} // namespace

TfrmMarcFilter::TfrmMarcFilter(TFilterEditorModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("frmMarcFilter"));
  setWindowTitle(QString());

  auto* grpMarcFilter = new QGroupBox(QStringLiteral("Exkludera f\u00e4lt:"));
  grpMarcFilter->setObjectName(QStringLiteral("grpMarcFilter"));
  lbxExclude_ = new QListWidget;
  lbxExclude_->setObjectName(QStringLiteral("lbxExclude"));
  lbxExclude_->setSelectionMode(QAbstractItemView::SingleSelection);
  (new QVBoxLayout(grpMarcFilter))->addWidget(lbxExclude_);

  btnAdd_ = Button("btnAdd", QStringLiteral("&L\u00e4gg till"));
  btnAdd_->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  btnRemove_ = Button("btnRemove", QStringLiteral("Ta &bort"));
  btnRemove_->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));

  auto* grpExcludeEd = new QGroupBox(QStringLiteral("F\u00e4lt att exkludera"));
  grpExcludeEd->setObjectName(QStringLiteral("grpExcludeEd"));
  edMarcFieldTag_ = Edit("edMarcFieldTag");
  edMarcFieldTag_->setMaxLength(static_cast<int>(FilterTagLength));
  edMarcFieldTag_->setValidator(new TKeyFilterValidator(&TFilterEditorModel::TagTextAccepted, this));
  edSubFields_ = Edit("edSubFields");
  edSubFields_->setValidator(new TKeyFilterValidator(&TFilterEditorModel::SubFieldsTextAccepted, this));
  auto* edits = new QFormLayout(grpExcludeEd);
  edits->addRow(QStringLiteral("Marcf\u00e4lt:"), edMarcFieldTag_);
  edits->addRow(QStringLiteral("Endast delf\u00e4lt:"), edSubFields_);

  btnOK_ = Button("btnOK", QStringLiteral("OK"));
  btnCancel_ = Button("btnCancel", QStringLiteral("Avbryt"));
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(btnOK_);
  closing->addWidget(btnCancel_);

  auto* right = new QVBoxLayout;
  right->addWidget(btnAdd_);
  right->addWidget(btnRemove_);
  right->addWidget(grpExcludeEd);
  right->addStretch(1);
  right->addLayout(closing);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(grpMarcFilter, 1);
  layout->addLayout(right);
  resize(440, 320);

  connect(edMarcFieldTag_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.SetTag(ToCp1252(text));
    ShowState();
  });
  connect(edSubFields_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.SetSubFields(ToCp1252(text));
    ShowState();
  });
  // A click and the arrow keys alike select an entry.
  connect(lbxExclude_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = lbxExclude_->selectedItems();
    model_.lbxExcludeClick(selected.isEmpty() ? -1 : lbxExclude_->row(selected.constFirst()));
    ShowState();
  });
  connect(btnAdd_, &QPushButton::clicked, this, [this] {
    model_.btnAddClick();
    ShowState();
  });
  connect(btnRemove_, &QPushButton::clicked, this, [this] {
    model_.btnRemoveClick();
    ShowState();
  });
  connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowState();
}

void TfrmMarcFilter::ShowState() {
  const QSignalBlocker quiet(lbxExclude_); // showing the model's selection is no choice of the user
  QStringList entries;
  for (const std::string& entry : model_.Entries)
    entries << FromCp1252(entry);
  QStringList shown;
  for (int i = 0; i < lbxExclude_->count(); ++i)
    shown << lbxExclude_->item(i)->text();
  if (shown != entries) {
    lbxExclude_->clear();
    lbxExclude_->addItems(entries);
  }
  if (model_.Selected < 0)
    lbxExclude_->clearSelection();
  else
    lbxExclude_->setCurrentRow(model_.Selected);

  // Setting a text changes the model only to what it already holds.
  SetTextKeepingCursor(edMarcFieldTag_, FromCp1252(model_.Tag));
  SetTextKeepingCursor(edSubFields_, FromCp1252(model_.SubFields));
  btnAdd_->setEnabled(model_.AddEnabled);
  btnRemove_->setEnabled(model_.RemoveEnabled);
  btnOK_->setEnabled(model_.OKEnabled);
}

void TfrmMarcFilter::FormActivate() {
  model_.FormActivate();
  ShowState();
}

void TfrmMarcFilter::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

} // namespace kelvo::gui
