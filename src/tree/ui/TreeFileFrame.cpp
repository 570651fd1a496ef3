#include "tree/ui/TreeFileFrame.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>

#include "base/Twips.h"

namespace kelmaz {

TreeFileFrame::TreeFileFrame(QWidget* parent)
    : QFrame(parent),
      Drive1(new QComboBox(this)),
      Dir1(new QListView(this)),
      File1(new QListView(this)),
      Text3(new QLineEdit(this)),
      Command5(new QPushButton("読込", this)),
      Command6(new QPushButton("書込", this)),
      Command7(new QPushButton("閉じる", this)),
      dirModel_(new QFileSystemModel(this)),
      fileModel_(new QFileSystemModel(this)) {
    setObjectName("FrmFile");
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDot);
    fileModel_->setFilter(QDir::Files);
    Dir1->setModel(dirModel_);
    File1->setModel(fileModel_);
    Drive1->setAccessibleName(QStringLiteral("ドライブ"));
    Dir1->setAccessibleName(QStringLiteral("フォルダー"));
    File1->setAccessibleName(QStringLiteral("ファイル"));
    Text3->setAccessibleName(QStringLiteral("ファイル名"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) Drive1->addItem(volume.rootPath());

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(Drive1, 0, 0);
    grid->addWidget(Dir1, 1, 0);
    grid->addWidget(File1, 0, 1, 2, 1);
    grid->addWidget(Text3, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command5);
    buttons->addWidget(Command6);
    buttons->addWidget(Command7);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(Drive1, &QComboBox::activated, this, [this](int i) { setFolder(Drive1->itemText(i)); });
    connect(Dir1, &QListView::activated, this, [this](const QModelIndex& index) {
        setFolder(QDir::cleanPath(dirModel_->filePath(index)));
    });
    connect(File1, &QListView::clicked, this,
            [this](const QModelIndex& index) { Text3->setText(fileModel_->filePath(index)); });
    connect(Command5, &QPushButton::clicked, this, &TreeFileFrame::readRequested);
    connect(Command6, &QPushButton::clicked, this, &TreeFileFrame::writeRequested);
    connect(Command7, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void TreeFileFrame::setFolder(const QString& folder) {
    Dir1->setRootIndex(dirModel_->setRootPath(folder));
    File1->setRootIndex(fileModel_->setRootPath(folder));
    Text3->setText(folder.endsWith('/') ? folder : folder + '/');
}

void TreeFileFrame::showAt(const QString& folder) {
    setGeometry(twipsToPixels(100), twipsToPixels(100), twipsToPixels(6000), twipsToPixels(4000));
    setFolder(folder);
    raise();
    show();
}

}  // namespace kelmaz
