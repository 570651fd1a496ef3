#include "app/RecordRecovery.h"

#include <unistd.h>

#include "document/DocumentFile.h"
#include "document/RecordDocument.h"
#include "shell/RecoveryFiles.h"

namespace kelmaz {

RecordRecovery::RecordRecovery(const RecordDocument& document, std::filesystem::path folder)
    : document_(document),
      folder_(std::move(folder)),
      file_(recoveryFileOf(folder_, static_cast<long>(::getpid()))) {
    timer_.setSingleShot(true);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecordRecovery::writeNow);
}

void RecordRecovery::documentChanged() {
    const bool stale = document_.modified() ? document_.revision() != written_ : fileExists_;
    if (stale && !timer_.isActive()) timer_.start();
}

void RecordRecovery::writeNow() {
    if (!document_.modified()) {
        discard();
        return;
    }
    // A failed write keeps the older file; the next change tries again.
    if (writeRecoveryFile(file_, documentFileBytes(document_))) {
        written_ = document_.revision();
        fileExists_ = true;
    }
}

void RecordRecovery::discard() {
    timer_.stop();
    if (fileExists_) {
        std::error_code error;
        std::filesystem::remove(file_, error);
    }
    fileExists_ = false;
    written_ = 0;
}

void RecordRecovery::adopt(const std::filesystem::path& leftover) {
    std::error_code error;
    std::filesystem::rename(leftover, file_, error);
    if (error) return;  // the leftover stays; the first tick writes this window's file
    fileExists_ = true;
    written_ = document_.revision();
}

void RecordRecovery::keepBeforeClear() {
    if (!document_.modified()) return;
    writeRecoveryFile(clearedRecordFile(folder_, static_cast<long>(::getpid())),
                      documentFileBytes(document_));
}

}  // namespace kelmaz
