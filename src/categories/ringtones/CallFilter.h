#pragma once
// CallFilter: which caller groups the cooperating caller-ID program lets through. It keeps the
// groups that are filtered out (kept away): either all of them (`All`) or the listed ids, the
// special groups' negative ids (CallerGroups.h) and category ids. A group is let through
// ("enabled") when `All` is clear and its id is not listed; the default group (id 0) is never
// listed.
//
// Section "CatFilter": "All" (REG_DWORD 1 or 0), and when 0 also "Count" and the REG_DWORD ids
// "0", "1", ... Every change is saved at once.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/array/Array.h"
#include "core/result/Status.h"

class CallFilter {
public:
    // The changes below fail with this text (the choice in memory is then not the one kept).
    static constexpr uint32_t kStrNotSaved = 41433;

    // Reads the section. A list that turns out to cover every group (see Normalise) is stored
    // as "All" at once; zero and repeated ids are dropped.
    void Load();
    // Deletes the section and writes it again; fails unless every write succeeded.
    Status Save() const;

    [[nodiscard]] bool IsEnabled(int32_t id) const;
    [[nodiscard]] bool All() const { return all_; }
    const std::vector<int32_t>& FilteredIds() const { return ids_; }

    Status EnableAll();
    Status DisableAll();
    // Lets one group through or keeps it away, then saves. Enabling a group while all are kept
    // away lists every other group instead (all categories in name order, then -3, -1, -2); when
    // the categories cannot be read nothing changes and the result is the categories' failure.
    Status SetEnabled(int32_t id, bool enable);
    // The groups whose check is clear become the filtered ones; then normalised and saved.
    Status SetFromChecks(const Array<int32_t>& ids, const Array<bool>& checks);

private:
    // `All` is cleared; then, when the list holds the three special groups and every category,
    // `All` is set and the list emptied. True when it set `All`.
    [[nodiscard]] bool Normalise();
    void AddId(int32_t id);

    bool all_ = false;
    std::vector<int32_t> ids_;
};

// The ids of every category in name order; nothing when the categories cannot be read.
std::optional<std::vector<int32_t>> AllCategoryIds();
