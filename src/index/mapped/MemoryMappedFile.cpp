#include "index/mapped/MemoryMappedFile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>
#include <vector>

#include "index/format/Words.h"
#include "index/mapped/Crc32c.h"
#include "index/mapped/FileSeal.h"
#include "platform/device/Device.h"
#include "platform/shm/ImageFile.h"

using namespace IndexFormat;

namespace {

MappedError ErrorOf(plat::ShmStatus status) {
    switch (status) {
        case plat::ShmStatus::Ok: return MappedError::None;
        case plat::ShmStatus::AlreadyExists: return MappedError::InUse;
        case plat::ShmStatus::NotFound: return MappedError::Missing;
        case plat::ShmStatus::NoSpace: return MappedError::NoMemory;
        case plat::ShmStatus::TooLarge: return MappedError::TooLarge;
        case plat::ShmStatus::SystemError: return MappedError::SystemError;
    }
    return MappedError::SystemError;
}

// A file is read in pieces small enough to stay in the cache for their checksum and copy.
constexpr uint64_t kLoadPieceBytes = 256 * 1024;

}  // namespace

MemoryMappedFile::MemoryMappedFile(uint64_t viewBytes) : viewBytes_(viewBytes) {}

MemoryMappedFile::~MemoryMappedFile() { Close(); }

std::u16string MemoryMappedFile::MappingName(std::u16string_view path) {
    std::u16string name;
    for (char16_t c : path) {
        if (c == u'\\') continue;
        name += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return name;
}

uint32_t MemoryMappedFile::Length() const { return image_ ? LoadWord(image_ - kLengthWordBytes) : 0; }

void MemoryMappedFile::SetLength(uint32_t length) { StoreWord(image_ - kLengthWordBytes, length); }

bool MemoryMappedFile::Fail(MappedError error) {
    error_ = error;
    mapping_.reset();
    image_ = nullptr;
    shared_ = false;
    fileChecksum_ = 0;
    return false;
}

void MemoryMappedFile::Close() {
    saver_.Wait();
    mapping_.reset();
    image_ = nullptr;
    shared_ = false;
    fileChecksum_ = 0;
}

bool MemoryMappedFile::Attach(std::u16string_view path, plat::SharedMapping::Mode mode) {
    Close();
    error_ = MappedError::None;
    const auto host = plat::CurrentDevice().HostPath(path);
    if (!host) return Fail(MappedError::Missing);
    const std::u16string name = MappingName(path);
    plat::ShmStatus status = plat::ShmStatus::Ok;
    mapping_ = plat::SharedMapping::Open(name, viewBytes_, mode, &status,
                                         plat::SharedMapping::Publication::Deferred);
    if (!mapping_) return Fail(ErrorOf(status));
    path_ = path;
    hostPath_ = *host;
    saveLockKey_ = plat::CurrentDevice().NamespacePath(name + u".save");
    shared_ = mapping_->Existed();
    image_ = mapping_->Base() + kLengthWordBytes;
    return true;
}

bool MemoryMappedFile::CommitFor(uint32_t length) {
    // The view holds the length word, the image and the four bytes that follow it.
    const uint64_t bytes = uint64_t{kLengthWordBytes} + length + kFileExtraBytes;
    const plat::ShmStatus status = mapping_->Commit(bytes);
    error_ = ErrorOf(status);
    return status == plat::ShmStatus::Ok;
}

bool MemoryMappedFile::Create(std::u16string_view path, uint32_t request) {
    const uint64_t length =
        (std::max<uint64_t>(request, kMinCreateRequest) + kCreateSlack) / kImageAlignment * kImageAlignment;
    if (length > MaxLength()) return Fail(MappedError::TooLarge);
    if (!Attach(path, plat::SharedMapping::Mode::CreateNew)) return false;
    if (!CommitFor(static_cast<uint32_t>(length))) return Fail(error_);
    // Only now that the new image is ours: the old file no longer matches it.
    std::error_code ec;
    std::filesystem::remove(hostPath_, ec);
    if (ec) return Fail(MappedError::SystemError);
    SetLength(static_cast<uint32_t>(length));
    mapping_->Publish();
    return true;
}

bool MemoryMappedFile::Open(std::u16string_view path, const ImageCheck& check, uint32_t minLength,
                            const PieceCheck& pieces) {
    if (!Attach(path, plat::SharedMapping::Mode::OpenOrCreate)) return false;
    if (!mapping_->SetWritable(false)) return Fail(MappedError::SystemError);
    if (!(shared_ ? AdoptLive() : LoadFile(hostPath_, pieces))) return false;
    if (check && !check(image_, Length())) return Fail(MappedError::Damaged);
    if (!mapping_->SetWritable(true)) return Fail(MappedError::SystemError);
    mapping_->Publish();
    return Grow(minLength) || Fail(error_);
}

bool MemoryMappedFile::AdoptLive() {
    const uint32_t length = Length();
    const uint64_t needed = uint64_t{kLengthWordBytes} + length + kFileExtraBytes;
    if (length < kMinImageBytes || length > MaxLength() || mapping_->Committed() < needed) {
        return Fail(MappedError::Damaged);
    }
    return true;
}

// Writes bytes of the view (the length word, then the image) through the mapping's object.
bool MemoryMappedFile::WriteView(uint64_t offset, const uint8_t* bytes, uint64_t size) {
    const plat::ShmStatus status = mapping_->Write(offset, bytes, size);
    error_ = ErrorOf(status);
    return status == plat::ShmStatus::Ok;
}

bool MemoryMappedFile::LoadFile(const std::filesystem::path& host, const PieceCheck& pieces) {
    plat::InputFile file;
    if (!file.Open(host)) return Fail(MappedError::Missing);
    // The size decides everything before a byte of the file is read or memory committed.
    const uint64_t size = file.Size();
    if (size < kMinImageBytes + kFileExtraBytes || size % kImageAlignment != 0 ||
        size - kFileExtraBytes > MaxLength()) {
        return Fail(MappedError::Damaged);
    }
    const auto length = static_cast<uint32_t>(size - kFileExtraBytes);
    // Each piece is read into a buffer that stays in the processor's cache, summed and checked
    // there, and copied into the mapping by the kernel, through its object: this process maps no
    // page of the image for writing, and the check that follows maps each for reading, at half the
    // cost.
    const uint64_t body = size - kChecksumFromEnd;
    const uint64_t sealAt = size - kFileLengthFromEnd;
    std::vector<uint8_t> piece(static_cast<size_t>(std::min<uint64_t>(kLoadPieceBytes, size)));
    uint8_t seal[kFileLengthFromEnd];
    uint32_t crc = 0;
    for (uint64_t at = 0; at < size; at += kLoadPieceBytes) {
        const auto bytes = static_cast<size_t>(std::min<uint64_t>(kLoadPieceBytes, size - at));
        if (!file.ReadAt({piece.data(), bytes}, at)) return Fail(MappedError::Damaged);
        if (at < body) crc = Crc32cExtend(crc, piece.data(), static_cast<size_t>(std::min<uint64_t>(bytes, body - at)));
        // The seal's two words (each within one piece: pieces and words are 4-aligned).
        for (uint64_t word = std::max(at, sealAt); word < at + bytes; word += kImageAlignment) {
            std::memcpy(seal + (word - sealAt), piece.data() + (word - at), kImageAlignment);
        }
        if (pieces && at < length &&
            !pieces(piece.data(), static_cast<uint32_t>(at),
                    static_cast<uint32_t>(std::min<uint64_t>(bytes, length - at)), length)) {
            return Fail(MappedError::Damaged);
        }
        if (!WriteView(kLengthWordBytes + at, piece.data(), bytes)) return Fail(error_);
    }
    if (!HasFileSeal(seal, size, crc)) return Fail(MappedError::Damaged);
    mapping_->MapForReading(kLengthWordBytes + size);
    fileChecksum_ = crc;
    uint8_t lengthWord[kLengthWordBytes];
    StoreWord(lengthWord, length);
    return WriteView(0, lengthWord, kLengthWordBytes) || Fail(error_);
}

bool MemoryMappedFile::Grow(uint32_t length) {
    if (!IsOpen()) {
        error_ = MappedError::SystemError;
        return false;
    }
    if (length <= Length()) return true;
    if (length > MaxLength()) {
        error_ = MappedError::TooLarge;
        return false;
    }
    if (!CommitFor(length)) return false;
    SetLength(length);
    return true;
}

bool MemoryMappedFile::SaveNow() {
    if (!IsOpen()) return false;
    saver_.Cancel();
    saver_.Wait();
    if (saveCallback_) saveCallback_(image_, Length());
    fileChecksum_ = 0;
    if (!saver_.SaveNow(image_, Length(), hostPath_, saveLockKey_, savedCallback_)) return false;
    fileChecksum_ = saver_.LastChecksum();
    return true;
}

bool MemoryMappedFile::StartSave(const MemoryMappedFile* after) {
    if (!IsOpen()) return false;
    saver_.Cancel();
    saver_.Wait();
    if (saveCallback_) saveCallback_(image_, Length());
    fileChecksum_ = 0;
    const uint32_t length = Length();
    std::unique_ptr<uint8_t[]> snapshot(new (std::nothrow) uint8_t[length]);
    if (!snapshot) {
        error_ = MappedError::NoMemory;
        return false;
    }
    std::memcpy(snapshot.get(), image_, length);
    // The file keeps its own length where the image's last word was; the live image keeps its.
    StampFileLength(snapshot.get(), length);
    saver_.Start({std::move(snapshot), length, hostPath_, saveLockKey_, savedCallback_,
                  after != nullptr ? &after->saver_ : nullptr});
    return true;
}
