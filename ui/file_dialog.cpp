#include "ui/file_dialog.h"

#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace rivex::ui {
namespace {

// The column of QFileSystemModel with the time of the last change.
constexpr int kModifiedColumn = 3;

class LocalDates : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr || index.column() != kModifiedColumn || role != Qt::DisplayRole) {
            return QIdentityProxyModel::data(index, role);
        }
        return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }
};

QString ChosenName(QWidget* parent, QFileDialog::AcceptMode mode, const QString& directory,
                   const QString& filter, QFileDialog::Options options) {
    QFileDialog dialog(parent, QString(), directory, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOptions(options);
    dialog.setProxyModel(new LocalDates(&dialog));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

QString OpenFileName(QWidget* parent, const QString& filter, QFileDialog::Options options) {
    return ChosenName(parent, QFileDialog::AcceptOpen, QString(), filter, options);
}

QString SaveFileName(QWidget* parent, const QString& directory, const QString& filter,
                     QFileDialog::Options options) {
    return ChosenName(parent, QFileDialog::AcceptSave, directory, filter, options);
}

}  // namespace rivex::ui
