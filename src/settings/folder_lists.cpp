#include "settings/folder_lists.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>

#include "platform/drives.h"

namespace {
QString clean(const QString& folder) { return QDir::cleanPath(QDir::fromNativeSeparators(folder)); }
}  // namespace

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    refresh();
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChanged(drive()); });
}

void DriveListBox::refresh() {
    filling_ = true;
    const QString keep = drive();
    clear();
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid()) continue;
        const QString root = clean(s.rootPath());
        const QString name = drives::driveName(root);
        addItem(name == QStringLiteral("/") ? QStringLiteral("/") : name + QStringLiteral("  [") + root + u']', root);
    }
    const int i = findData(keep);
    if (i >= 0) setCurrentIndex(i);
    filling_ = false;
}

QString DriveListBox::drive() const { return currentData().toString(); }

void DriveListBox::setDriveOf(const QString& folder) {
    const QString root = clean(drives::mountPoint(folder));
    int i = findData(root);
    if (i < 0) {
        addItem(drives::driveName(root) + QStringLiteral("  [") + root + u']', root);
        i = count() - 1;
    }
    setCurrentIndex(i);
    emit driveChanged(root);
}

FolderListBox::FolderListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        setPath(item->data(Qt::UserRole).toString());
    });
}

bool FolderListBox::setPath(const QString& folder) {
    const QString p = clean(folder);
    const QFileInfo fi(p);
    if (p.isEmpty() || !fi.isDir() || !fi.isReadable()) return false;
    path_ = p;
    fill();
    emit pathChanged(path_);
    return true;
}

void FolderListBox::fill() {
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The path from the root down, one folder a row.
    QStringList parts = path_.split(u'/', Qt::SkipEmptyParts);
    QString at = QStringLiteral("/");
    auto* root = new QListWidgetItem(openIcon, QStringLiteral("/"), this);
    root->setData(Qt::UserRole, at);
    int depth = 1;
    for (const QString& part : parts) {
        at = at == QStringLiteral("/") ? at + part : at + u'/' + part;
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, u' ') + part, this);
        item->setData(Qt::UserRole, at);
        ++depth;
    }
    setCurrentRow(count() - 1);
    // Then the subfolders of the open folder.
    const QStringList subs = QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs) {
        auto* item = new QListWidgetItem(closedIcon, QString(depth * 2, u' ') + s, this);
        item->setData(Qt::UserRole, path_ == QStringLiteral("/") ? path_ + s : path_ + u'/' + s);
    }
}
