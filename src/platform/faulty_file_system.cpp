#include "platform/faulty_file_system.h"

#include <algorithm>
#include <cerrno>

namespace korvane {
namespace {

class FaultyInputFile : public InputFile {
 public:
  FaultyInputFile(FaultyFileSystem& files, std::unique_ptr<InputFile> inner)
      : files_(files), inner_(std::move(inner)) {}

  std::int64_t ReadAt(char* data, std::size_t size, std::uint64_t offset) const override {
    if (const int error = files_.Count(FileOp::Read)) return -error;
    int error = 0;
    const std::uint64_t fault = files_.ReadFaultByte(error);
    if (offset <= fault && fault - offset < size) {
      if (offset == fault) return -error;
      size = static_cast<std::size_t>(fault - offset);
    }
    return inner_->ReadAt(data, size, offset);
  }
  int Status(FileStatus& status) const override {
    if (const int error = files_.Count(FileOp::Status)) return error;
    return inner_->Status(status);
  }

 private:
  FaultyFileSystem& files_;
  std::unique_ptr<InputFile> inner_;
};

class FaultyOutputFile : public OutputFile {
 public:
  FaultyOutputFile(FaultyFileSystem& files, std::unique_ptr<OutputFile> inner, bool limited)
      : files_(files), inner_(std::move(inner)), limited_(limited) {}

  int Write(const char* data, std::size_t size) override {
    if (const int error = files_.Count(FileOp::Write)) return error;
    int error = 0;
    const std::uint64_t fault = limited_ ? files_.WriteFaultByte(error) : UINT64_MAX;
    if (written_ + size > fault) {
      const std::size_t before = static_cast<std::size_t>(fault - std::min(fault, written_));
      if (before > 0) inner_->Write(data, before);
      written_ += before;
      return error;
    }
    written_ += size;
    return inner_->Write(data, size);
  }
  void StartWriteBack(std::uint64_t offset, std::uint64_t length) override {
    inner_->StartWriteBack(offset, length);
  }
  int Sync() override {
    if (const int error = files_.Count(FileOp::Sync)) return error;
    return inner_->Sync();
  }
  int Close() override {
    if (const int error = files_.Count(FileOp::Close)) return error;
    return inner_->Close();
  }

 private:
  FaultyFileSystem& files_;
  std::unique_ptr<OutputFile> inner_;
  bool limited_;
  std::uint64_t written_ = 0;
};

}  // namespace

const char* FileOpName(FileOp op) {
  constexpr const char* kNames[] = {
      "Open",  "Status", "Read", "CreateTemporary", "CreateNew", "OpenForAppend", "Write", "Sync",
      "Close", "Rename", "Link", "Remove",          "List",      "SyncFolder"};
  return kNames[static_cast<int>(op)];
}

void FaultyFileSystem::FailAt(FileOp op, int nth, int error) {
  const std::lock_guard lock(mutex_);
  const int done = static_cast<int>(std::count(calls_.begin(), calls_.end(), op));
  faults_.push_back({op, done + nth, error});
}

void FaultyFileSystem::FailWriteAtByte(std::uint64_t byte, int error) {
  const std::lock_guard lock(mutex_);
  writeFaultByte_ = byte;
  writeFaultError_ = error;
}

void FaultyFileSystem::FailReadAtByte(std::uint64_t byte, int error) {
  const std::lock_guard lock(mutex_);
  readFaultByte_ = byte;
  readFaultError_ = error;
}

void FaultyFileSystem::CrashAtStep(int step) {
  const std::lock_guard lock(mutex_);
  crashStep_ = step;
}

void FaultyFileSystem::Heal() {
  const std::lock_guard lock(mutex_);
  faults_.clear();
  crashStep_ = -1;
  writeFaultByte_ = readFaultByte_ = UINT64_MAX;
}

std::vector<FileOp> FaultyFileSystem::Calls() const {
  const std::lock_guard lock(mutex_);
  return calls_;
}

int FaultyFileSystem::Steps() const {
  const std::lock_guard lock(mutex_);
  return static_cast<int>(calls_.size());
}

int FaultyFileSystem::Count(FileOp op) {
  const std::lock_guard lock(mutex_);
  const int step = static_cast<int>(calls_.size());
  calls_.push_back(op);
  if (crashStep_ >= 0 && step >= crashStep_) return EIO;
  const int nth = static_cast<int>(std::count(calls_.begin(), calls_.end(), op));
  for (const Fault& fault : faults_) {
    if (fault.op == op && fault.nth == nth) return fault.error;
  }
  return 0;
}

std::uint64_t FaultyFileSystem::WriteFaultByte(int& error) const {
  const std::lock_guard lock(mutex_);
  error = writeFaultError_;
  return writeFaultByte_;
}

std::uint64_t FaultyFileSystem::ReadFaultByte(int& error) const {
  const std::lock_guard lock(mutex_);
  error = readFaultError_;
  return readFaultByte_;
}

std::unique_ptr<OutputFile> FaultyFileSystem::Wrap(std::unique_ptr<OutputFile> file, bool limited) {
  if (file == nullptr) return nullptr;
  return std::make_unique<FaultyOutputFile>(*this, std::move(file), limited);
}

std::unique_ptr<InputFile> FaultyFileSystem::OpenForReading(const std::string& path, int& error) {
  if ((error = Count(FileOp::Open)) != 0) return nullptr;
  std::unique_ptr<InputFile> file = inner_.OpenForReading(path, error);
  if (file == nullptr) return nullptr;
  return std::make_unique<FaultyInputFile>(*this, std::move(file));
}

int FaultyFileSystem::Status(const std::string& path, FileStatus& status) {
  if (const int error = Count(FileOp::Status)) return error;
  return inner_.Status(path, status);
}

std::unique_ptr<OutputFile> FaultyFileSystem::CreateTemporary(const std::string& target,
                                                              std::string& path, int& error) {
  if ((error = Count(FileOp::CreateTemporary)) != 0) return nullptr;
  return Wrap(inner_.CreateTemporary(target, path, error), true);
}

std::unique_ptr<OutputFile> FaultyFileSystem::CreateNew(const std::string& path, int& error) {
  if ((error = Count(FileOp::CreateNew)) != 0) return nullptr;
  return Wrap(inner_.CreateNew(path, error), true);
}

std::unique_ptr<OutputFile> FaultyFileSystem::OpenForAppend(const std::string& path, int& error) {
  if ((error = Count(FileOp::OpenForAppend)) != 0) return nullptr;
  return Wrap(inner_.OpenForAppend(path, error), false);
}

int FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  if (const int error = Count(FileOp::Rename)) return error;
  return inner_.Rename(from, to);
}

int FaultyFileSystem::Link(const std::string& from, const std::string& to) {
  if (const int error = Count(FileOp::Link)) return error;
  return inner_.Link(from, to);
}

int FaultyFileSystem::Remove(const std::string& path) {
  if (const int error = Count(FileOp::Remove)) return error;
  return inner_.Remove(path);
}

int FaultyFileSystem::List(const std::string& folder, std::vector<std::string>& names) {
  if (const int error = Count(FileOp::List)) return error;
  return inner_.List(folder, names);
}

int FaultyFileSystem::SyncFolderOf(const std::string& path) {
  if (const int error = Count(FileOp::SyncFolder)) return error;
  return inner_.SyncFolderOf(path);
}

}  // namespace korvane
