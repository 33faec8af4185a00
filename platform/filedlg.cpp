#include "filedlg.h"

#include "filesys.h"
#include "headless.h"
#include "qtbridge.h"
#include "winapi.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <cstring>

TOpenSaveDialog::TData::TData(unsigned flags, const char* filter, const char*,
                              const char* initialDir, const char* defExt, int maxPath)
    : Flags(flags), InitialDir(initialDir ? initialDir : ""), DefExt(defExt ? defExt : ""),
      MaxPath(std::min(maxPath, int(sizeof(FileName)))) {
    SetFilter(filter);
}

void TOpenSaveDialog::TData::SetFilter(const char* filter) {
    Filter = filter ? filter : "";
}

TOpenSaveDialog::TOpenSaveDialog(TWindow* parent, TData& data, const char* title)
    : parent_(parent), data_(data), title_(title ? title : "") {}

namespace {

// "Rech-Dateien (*.REC)|*.rec|" → "Rech-Dateien (*.rec)": Qt shows the description and
// matches the patterns in brackets.
QString QtFilter(const std::string& filter) {
    QStringList parts = QStr(filter).split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        int bracket = desc.indexOf(u'(');
        if (bracket > 0) desc = desc.left(bracket).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(desc, patterns);
    }
    return out.join(QStringLiteral(";;"));
}

// Whether the system can name the chosen file: Windows-1252 must hold every character of it.
bool Nameable(const QString& path) {
    std::string unused;
    return PathFromDisk(path.toUtf8().toStdString(), unused);
}

// Adds the default extension to a name that has none, as the Windows dialog does.
QString WithDefaultExt(const QString& path, const std::string& defExt) {
    if (defExt.empty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + u'.' + QStr(defExt);
}

} // namespace

int TOpenSaveDialog::Execute() {
    data_.Error = 0;
    const bool save = IsSave();
    QString chosen;
    if (IsHeadless() || !qApp) {
        TRecordedFileDialog record{save, title_, data_.Filter, data_.DefExt, data_.FileName, {}};
        std::string answer;
        if (!RecordFileDialog(record, answer)) return IDCANCEL;
        chosen = WithDefaultExt(QString::fromStdString(answer), data_.DefExt);
        if (!Nameable(chosen)) {
            MessageBox(nullptr, kUnnamableFile, title_.c_str(), MB_OK | MB_ICONSTOP);
            return IDCANCEL;
        }
        QFileInfo info(chosen);
        const std::string name = CpStr(info.fileName());
        if (!save && (data_.Flags & OFN_FILEMUSTEXIST) && !info.exists()) {
            std::string text = name + "\r Die Datei wurde nicht gefunden.\r Überprüfen Sie den "
                                      "Dateinamen, und wiederholen Sie den Vorgang.";
            MessageBox(nullptr, text.c_str(), title_.c_str(), MB_OK | MB_ICONEXCLAMATION);
            return IDCANCEL;
        }
        if (save && (data_.Flags & OFN_OVERWRITEPROMPT) && info.exists()) {
            std::string text = name + " ist bereits vorhanden.\r Möchten Sie sie ersetzen?";
            if (MessageBox(nullptr, text.c_str(), title_.c_str(), MB_YESNO | MB_ICONEXCLAMATION) !=
                IDYES)
                return IDCANCEL;
        }
    } else {
        QFileDialog dialog(WidgetOf(parent_) ? WidgetOf(parent_)->window() : nullptr, QStr(title_));
        dialog.setNameFilter(QtFilter(data_.Filter));
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!data_.DefExt.empty()) dialog.setDefaultSuffix(QStr(data_.DefExt));
        if (!(data_.Flags & OFN_OVERWRITEPROMPT))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        QString initial = QStr(data_.FileName);
        if (!data_.InitialDir.empty()) dialog.setDirectory(QStr(data_.InitialDir));
        if (!initial.isEmpty()) dialog.selectFile(initial);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
        chosen = dialog.selectedFiles().first();
        if (!Nameable(chosen)) {
            MessageBox(nullptr, kUnnamableFile, title_.c_str(), MB_OK | MB_ICONSTOP);
            return IDCANCEL;
        }
    }
    std::string path = CpStr(QFileInfo(chosen).absoluteFilePath());
    if (int(path.size()) >= data_.MaxPath) {
        data_.Error = 0x3003; // FNERR_BUFFERTOOSMALL
        return IDCANCEL;
    }
    std::memcpy(data_.FileName, path.c_str(), path.size() + 1);
    return IDOK;
}
