// The drive list and the folder list of the folder-choosing windows.
//
// DriveListBox lists the mounted file systems (the "drives") by their short
// names; FolderListBox shows the open folder's path, one folder a row from the
// root down, followed by its subfolders; a double-click opens a row's folder.
#pragma once
#include <QComboBox>
#include <QListWidget>
#include <QString>

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);
    // Fills the list again from the mounted file systems.
    void refresh();
    // The mount point of the chosen drive.
    QString drive() const;
    // Chooses the drive holding `folder` (adding it when the list lacks it).
    // Raises driveChanged like a user's choice does.
    void setDriveOf(const QString& folder);

signals:
    // A drive was chosen (by the user or by code).
    void driveChanged(const QString& mountPoint);

private:
    bool filling_ = false;
};

class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);
    // The open folder (no trailing slash except the root).
    QString path() const { return path_; }
    // Opens a folder; false (nothing changes) when it cannot be read.
    bool setPath(const QString& folder);

signals:
    void pathChanged(const QString& path);

private:
    void fill();
    QString path_;
};
