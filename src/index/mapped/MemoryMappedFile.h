#pragma once
// The container of an index file: a named shared mapping holding the file's image, the image's
// used length, and the background save that writes the image back to its file.
//
// The view starts with the used length U, then the U image bytes. The mapping is named after the
// file's device path, so a second process (or object) that opens the same file while the image
// is held shares the live image instead of reading the file. The view's address space is reserved
// once and never moves; memory is committed as the image grows.
//
// File format: see index/format/IndexFormat.h and docs/index-files.md.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "index/format/IndexFormat.h"
#include "index/mapped/ImageSaver.h"
#include "platform/shm/SharedMapping.h"

enum class MappedError {
    None,
    Missing,      // no file (or a device path outside the device)
    Damaged,      // the file or live image failed its checks
    InUse,        // Create found a live image of the same name
    NoMemory,     // shared memory could not be committed
    TooLarge,     // beyond the largest image the view can hold
    SystemError,  // the host refused the mapping or a file operation
};

class MemoryMappedFile {
public:
    // Called on the caller's thread just before a save takes its snapshot (image, used length).
    using SaveCallback = std::function<void(uint8_t* image, uint32_t length)>;

    explicit MemoryMappedFile(uint64_t viewBytes = IndexFormat::kViewBytes);
    ~MemoryMappedFile();
    MemoryMappedFile(const MemoryMappedFile&) = delete;
    MemoryMappedFile& operator=(const MemoryMappedFile&) = delete;

    // Makes a new zeroed image for the device file `path` of max(request, 10240) + 47 bytes
    // rounded down to a multiple of 4, then deletes the old file (which no longer matches).
    // Fails with InUse when a live image of that file exists.
    [[nodiscard]] bool Create(std::u16string_view path, uint32_t request);
    // Reads an image being opened and tells whether it may be used; it must not write to it.
    using ImageCheck = std::function<bool(const uint8_t* image, uint32_t length)>;
    // Reads an image as its file is read, piece by piece in file order, each piece while it is in
    // the processor's cache: `piece` holds the image's bytes from `at` on, `length` is the whole
    // image's. The pieces are the file's bytes: the image's last word holds the file length there.
    using PieceCheck = std::function<bool(const uint8_t* piece, uint32_t at, uint32_t size, uint32_t length)>;

    // Opens the live image of `path` when one is held, else loads and checks the file: `pieces`
    // sees it as it is read (a check that reads in file order costs no page of the image), then
    // `check` reads the image while its view is read-only (mapping the pages of a large image for
    // reading costs half as much as for writing); the image is refused as Damaged when either
    // fails. `check` also runs on a live image; `pieces` only on a file. The view is writable once
    // Open returns, and the used length is then raised to at least `minLength`.
    [[nodiscard]] bool Open(std::u16string_view path, const ImageCheck& check = {}, uint32_t minLength = 0,
                            const PieceCheck& pieces = {});
    // Waits for a running save (hurrying it), then lets go of the image.
    void Close();

    [[nodiscard]] bool IsOpen() const { return image_ != nullptr; }
    [[nodiscard]] bool IsShared() const { return shared_; }  // the image was live when opened
    const std::u16string& Path() const { return path_; }
    uint8_t* Image() const { return image_; }
    uint32_t Length() const;
    uint32_t MaxLength() const { return IndexFormat::MaxImageBytes(viewBytes_); }
    MappedError LastError() const { return error_; }

    // Raises the used length to `length`, committing memory first; false (nothing changed) when
    // the memory cannot be had or the view cannot hold it.
    [[nodiscard]] bool Grow(uint32_t length);

    void SetSaveCallback(SaveCallback callback) { saveCallback_ = std::move(callback); }
    // Called on the save thread after each complete save.
    void SetSavedCallback(std::function<void()> callback) { savedCallback_ = std::move(callback); }

    // Cancels and waits for a running save, runs the save callback, takes a snapshot of the image
    // and saves it in the background. With `after`, the file is replaced only once the save that
    // `after` is running has replaced its own file; when that one does not end saved, this one is
    // abandoned (as cancelled) and the file stays as it was. False when no snapshot could be taken.
    [[nodiscard]] bool StartSave(const MemoryMappedFile* after = nullptr);
    // Cancels and waits for a running save, runs the save callback and writes the image to its
    // file on the calling thread (no snapshot: the caller changes nothing until it returns).
    // False when the file could not be written; it is then unchanged.
    [[nodiscard]] bool SaveNow();
    void CancelSave() { saver_.Cancel(); }
    void WaitSave() { saver_.Wait(); }
    SaveState LastSave() const { return saver_.State(); }
    // The checksum of the file as this object last read it (Open) or wrote it (SaveNow): it names
    // that version of the file. 0 when unknown: a live image was shared, the image was made new,
    // or a background save was started since (it may or may not have replaced the file).
    uint32_t FileChecksum() const { return fileChecksum_; }

    // The mapping name of a device path: backslashes removed, upper-cased.
    static std::u16string MappingName(std::u16string_view path);

private:
    [[nodiscard]] bool Fail(MappedError error);
    [[nodiscard]] bool Attach(std::u16string_view path, plat::SharedMapping::Mode mode);
    [[nodiscard]] bool LoadFile(const std::filesystem::path& host, const PieceCheck& pieces);
    [[nodiscard]] bool WriteView(uint64_t offset, const uint8_t* bytes, uint64_t size);
    [[nodiscard]] bool AdoptLive();
    [[nodiscard]] bool CommitFor(uint32_t length);
    void SetLength(uint32_t length);

    uint64_t viewBytes_;
    std::unique_ptr<plat::SharedMapping> mapping_;
    uint8_t* image_ = nullptr;
    std::u16string path_;
    std::filesystem::path hostPath_;
    std::filesystem::path saveLockKey_;
    bool shared_ = false;
    uint32_t fileChecksum_ = 0;
    MappedError error_ = MappedError::None;
    SaveCallback saveCallback_;
    std::function<void()> savedCallback_;
    ImageSaver saver_;
};
