#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "core/diag/FatalError.h"
#include "core/str/Str.h"
#include "core/str/StrAlloc.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

// The header words as they lie in memory ahead of the characters.
StrHeader HeaderBytes(const Str& s) {
    StrHeader header;
    std::memcpy(&header, reinterpret_cast<const char*>(s.c_str()) - sizeof(StrHeader), sizeof header);
    return header;
}

Str Repeat(char16_t ch, int count) { return Str(std::u16string(static_cast<size_t>(count), ch)); }

TEST(Str, BlockHeaderAndCapacityRule) {
    struct Case { int length; int32_t capacity; } cases[] = {
        {24, 64}, {25, 128}, {56, 128}, {57, 256}, {120, 256}, {121, 512}, {249, 512}, {250, 514}, {1000, 2014}};
    for (const Case& c : cases) {
        const Str s = Repeat(u'x', c.length);
        const StrHeader header = HeaderBytes(s);
        EXPECT_EQ(std::tuple(header.refs, header.length, header.capacity), std::tuple(1, c.length, c.capacity));
        EXPECT_EQ(s.c_str()[c.length], u'\0') << c.length;
    }
}

TEST(Str, EmptyStringsShareOneBlockThatIsNeverCounted) {
    const Str a, b(u""), c(static_cast<const char16_t*>(nullptr)), d(char16_t(0)), e{std::u16string_view()};
    Str emptied(u"text");
    emptied.Empty();
    const std::initializer_list<const Str*> empties = {&b, &c, &d, &e, &emptied};
    for (const Str* s : empties) EXPECT_EQ(s->c_str(), a.c_str());
    { const Str copies[3] = {a, a, a}; }
    EXPECT_EQ(std::pair(HeaderBytes(a).refs, HeaderBytes(a).length), std::pair(100, 0));
}

TEST(Str, CopiesShareUntilOneIsWritten) {
    const Str original(u"Hello");
    void (*const changes[])(Str&) = {
        [](Str& s) { s.SetAt(0, u'J'); },    [](Str& s) { s.MakeReverse(); },
        [](Str& s) { s.MakeLower(); },       [](Str& s) { s.TrimRight(u'o'); },
        [](Str& s) { s.GetBuffer(1)[0] = u'Y'; },
    };
    for (auto change : changes) {
        Str copy = original;
        EXPECT_EQ(original.RefCount(), 2);
        change(copy);
        EXPECT_EQ(std::tuple(original, original.RefCount(), copy.RefCount()), std::tuple(Str(u"Hello"), 1, 1));
    }
}

TEST(Str, LockedBlockIsCopiedNeverShared) {
    Str locked(u"locked");
    locked.LockBuffer();
    EXPECT_EQ(locked.RefCount(), -1);
    const Str copy = locked;
    Str target(u"target");
    const Str other = target;
    target = locked;
    for (const Str* s : std::initializer_list<const Str*>{&copy, &target}) {
        EXPECT_EQ(std::pair(*s, s->RefCount()), std::pair(Str(u"locked"), 1));  // a copy of its own
    }
    locked = other;  // a locked target takes a copy too
    EXPECT_EQ(std::pair(locked, other.RefCount()), std::pair(Str(u"target"), 1));
    locked.UnlockBuffer();
    const Str sharer = locked;
    EXPECT_EQ(sharer.c_str(), locked.c_str());
}

TEST(Str, AppendAndConcatenationShareWhenOneSideIsEmpty) {
    Str target(u"abc");
    const char16_t* before = target.c_str();
    target += u"";
    target += Str();
    target += char16_t(0);
    EXPECT_EQ(std::pair(target.c_str(), target.RefCount()), std::pair(before, 1));

    const Str empty;
    EXPECT_EQ(std::tuple((target + empty).c_str(), (empty + target).c_str(), (u"" + target).c_str()), std::tuple(before, before, before));
    EXPECT_EQ(target + u"de" + u'f', u"abcdef");
    EXPECT_EQ(u'<' + target + Str(u">"), u"<abc>");
    EXPECT_EQ(std::u16string_view(u"x") + target, u"xabc");

    Str self(u"ab");
    self += self;
    self += self.c_str() + 1;  // text out of the string's own block
    EXPECT_EQ(self, u"ababbab");
}

TEST(Str, AssigningOwnTextIsSafe) {
    Str s(u"abcdef");
    const char16_t* block = s.c_str();
    s = s.c_str();
    EXPECT_EQ(s.c_str(), block);
    s = s.c_str() + 2;
    Str shared = s;
    s = s.View().substr(1);
    EXPECT_EQ(std::pair(s, shared), std::pair(Str(u"def"), Str(u"cdef")));
}

TEST(Str, FindFamily) {
    const Str s(u"abcabc");
    struct Case { int got, want; } cases[] = {
        {s.Find(u'b', 2), 4},      {s.Find(u'a', 6), -1},      {s.Find(u'a', -3), 0},  {s.Find(u"ca", 3), -1},
        {s.Find(u"", 6), -1},      {s.FindOneOf(u"xc", 3), 5}, {s.ReverseFind(u'a'), 3}, {s.ReverseFind(u'z'), -1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

TEST(Str, SubstringsClampAndShareTheWhole) {
    const Str s(u"abcdef");
    struct Case { Str got; std::u16string_view want; } cases[] = {
        {s.Mid(2, 2), u"cd"}, {s.Mid(-4, 3), u"abc"}, {s.Mid(4, 99), u"ef"}, {s.Mid(9), u""},
        {s.Mid(1, -1), u""},  {s.Left(-2), u""},      {s.Right(2), u"ef"},   {s.Right(0), u""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(std::tuple(s.Mid(0).c_str(), s.Left(6).c_str(), s.Right(10).c_str()), std::tuple(s.c_str(), s.c_str(), s.c_str()));
}

TEST(Str, InPlaceChanges) {
    struct Case { std::u16string_view in; void (*change)(Str&); std::u16string_view want; } cases[] = {
        {u" \t\r\n x y \u3000", [](Str& s) { s.TrimLeft(); }, u"x y \u3000"},
        {u" \t x y \u00a0\u2003\n", [](Str& s) { s.TrimRight(); }, u" \t x y"},
        {u"a--b---", [](Str& s) { s.TrimRight(u'-'); }, u"a--b"},
        {u"ABC Äbc ЖЁ", [](Str& s) { s.MakeLower(); }, u"abc äbc жё"},
        {u"abc", [](Str& s) { s.SetAt(1, u'X'); }, u"aXc"},
        {u"abc", [](Str& s) { s.SetAt(3, u'X'); }, u"abc"},
    };
    for (const Case& c : cases) {
        Str s(c.in);
        c.change(s);
        EXPECT_EQ(s, c.want) << Str(c.in).ToUtf8();
    }
}

TEST(Str, BufferAccess) {
    Str s(u"abc");
    const Str shared = s;
    char16_t* buffer = s.GetBuffer(100);  // a shared block is copied first
    EXPECT_GE(s.Capacity(), StrBlockNeed(100));
    EXPECT_EQ(s.GetLength(), 3);  // the length waits for ReleaseBuffer
    std::memcpy(buffer, u"hello", 6 * sizeof(char16_t));
    s.ReleaseBuffer();
    EXPECT_EQ(std::pair(s, shared), std::pair(Str(u"hello"), Str(u"abc")));
    s.ReleaseBuffer(100000);  // cut to the block's room
    EXPECT_EQ(s.GetLength(), (s.Capacity() - 12) / 2 - 1);
    Str fixed;
    std::memcpy(fixed.GetBufferSetLength(4), u"wxyz", 4 * sizeof(char16_t));
    EXPECT_EQ(fixed, u"wxyz");
    Str sharer = fixed;
    sharer.ReleaseBuffer(1);  // a shared block is copied before the length changes
    EXPECT_EQ(std::pair(fixed, sharer), std::pair(Str(u"wxyz"), Str(u"w")));
}

void* FailingAllocator(size_t) { return nullptr; }

TEST(Str, FailedAllocationIsLoggedAndStops) {
    TempDevice device;
    const StrAllocator previous = SetStrAllocator(&FailingAllocator);
    Str kept(u"");
    try {
        kept = u"needs a block";
        ADD_FAILURE() << "no exception";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.Code(), kFatalMemory);
    }
    SetStrAllocator(previous);
    EXPECT_TRUE(kept.IsEmpty());
    EXPECT_THROW(kept.GetBuffer(kStrMaxLength + 1), FatalError);  // too long for any block
    const std::string text = ReadHostFile(device.Host(u"\\Program Files\\Brevane\\Brevane.exe.log"));
    EXPECT_NE(text.find(" - Memory allocation failed\t\tStr:  (23)\r\n"), std::string::npos) << text;
}

}  // namespace
