#include "ide_link/wizard_channel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_kernel_objects.h"

namespace {

using ide_link::Argument;
using ide_link::WizardRequestBuffer;
using Log = std::vector<std::string>;

std::string word(std::uint32_t value) {
  std::string out;
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
  return out;
}

std::uint32_t wordAt(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes.at(offset + i));
  return value;
}

// A text or byte-set entry leaves 0 in its value-low word.
std::string entry(std::uint32_t value, std::uint32_t tag) { return word(value) + word(0) + word(tag); }
std::string textEntry(std::string_view text) { return entry(0, 0x80000004) + std::string(text) + '\0'; }
std::string integerEntry(std::uint32_t value) { return entry(value, 0x80000301); }

void queueDeclaration(WizardRequestBuffer& buffer, std::int32_t kind, std::string_view name) {
  buffer.queueCommandRecord(6,
                            {Argument::integer(kind), Argument::text(name), Argument::integer(2), Argument::text("$")});
}

// --- Encoding ------------------------------------------------------------------------

TEST(WizardRequestBuffer, CodeFiveRecordWithTextA) {
  WizardRequestBuffer buffer;
  buffer.queueCommandRecord(5, {Argument::text("a")});
  EXPECT_EQ(buffer.bytes(), word(5) + word(1) + textEntry("a"));
  EXPECT_EQ(buffer.bytes().size(), 22u);
}

TEST(WizardRequestBuffer, CodeSixRecordTakesFiftyNinePlusTheNameBytes) {
  WizardRequestBuffer buffer;
  queueDeclaration(buffer, 64, "矩形_");
  ASSERT_EQ(buffer.bytes().size(), 64u);
  EXPECT_EQ(buffer.bytes(),
            word(6) + word(4) + integerEntry(64) + textEntry("矩形_") + integerEntry(2) + textEntry("$"));
  // The word after the 5-byte name and its NUL sits at the unaligned offset 38.
  EXPECT_EQ(wordAt(buffer.bytes(), 38), 2u);
  EXPECT_EQ(buffer.bytes().substr(62), std::string("$\0", 2));

  buffer.empty();
  queueDeclaration(buffer, 256, "取菜单条目信息_");
  EXPECT_EQ(buffer.bytes().size(), 59u + std::strlen("取菜单条目信息_"));
  queueDeclaration(buffer, 64, "");
  EXPECT_EQ(buffer.bytes().size(), 2 * 59u + std::strlen("取菜单条目信息_"));
}

TEST(WizardRequestBuffer, EveryArgumentTypeWithItsTagAndData) {
  WizardRequestBuffer buffer;
  buffer.queueCommandRecord(
      7, {Argument::integer(-2), Argument::logical(true), Argument::logical(false), Argument::text(""),
          Argument::byteSet("xyz"), Argument::text(std::string_view("ab\0c", 4))});
  EXPECT_EQ(buffer.bytes(), word(7) + word(6) + entry(0xFFFFFFFE, 0x80000301) + entry(1, 0x80000002) +
                                entry(0, 0x80000002) + entry(0, 0x80000004) + std::string(1, '\0') +
                                entry(0, 0x80000005) + word(1) + word(3) + "xyz" +
                                // A text ends at its first NUL, as the IDE reads it.
                                textEntry("ab"));
  // Records follow each other with nothing between them.
  buffer.queueCommandRecord(5, {});
  EXPECT_EQ(buffer.bytes().substr(buffer.bytes().size() - 8), word(5) + word(0));
}

TEST(WizardRequestBuffer, ARecordThatDoesNotFitBreaksTheBufferUntilItIsEmptied) {
  WizardRequestBuffer buffer(30);
  buffer.queueCommandRecord(5, {Argument::text("a")});
  buffer.queueCommandRecord(5, {Argument::text("b")});
  EXPECT_TRUE(buffer.broken());
  EXPECT_EQ(buffer.bytes().size(), 22u);
  // Nothing more joins a broken buffer, even a record that would fit.
  buffer.queueCommandRecord(5, {});
  EXPECT_EQ(buffer.bytes().size(), 22u);
  buffer.empty();
  EXPECT_FALSE(buffer.broken());
  EXPECT_TRUE(buffer.bytes().empty());
}

TEST(WizardRequest, BlockSizeIsAtLeast2048) {
  EXPECT_EQ(library::requestBlockSize(0, 0), 2048u);
  EXPECT_EQ(library::requestBlockSize(2000, 36), 2048u);
  EXPECT_EQ(library::requestBlockSize(2000, 37), 2049u);
  EXPECT_EQ(library::requestBlockSize(229481, 100), 229493u + 100);
}

// --- Sending -------------------------------------------------------------------------

class WizardChannelTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessKernelObjects kernel;
  WizardRequestBuffer buffer;
  std::string request;  // "EWIZ1" as the IDE found it
  std::uint32_t requestSizeWord = 0;
  std::string reply = "OK";

  // The IDE: creates its events, and when the request is ready reads both blocks, leaves
  // its reply at the start of "EWIZ1" and signals back.
  void SetUp() override {
    kernel.createEvent("EWEVT1");
    kernel.createEvent("EWEVT2");
    kernel.whenSignalled("EWEVT1", [this] {
      std::span<std::uint8_t> block = kernel.block("EWIZ1");
      request.assign(reinterpret_cast<const char*>(block.data()), block.size());
      requestSizeWord = wordAt(std::string_view(reinterpret_cast<const char*>(kernel.block("EWIZ2").data()), 4), 0);
      std::memcpy(block.data(), reply.c_str(), std::min(block.size(), reply.size() + 1));
      kernel.signal("EWEVT2");
    });
  }

  // A send and, when it was delivered, one look for the answer, as the window's first
  // tick takes it: the reply, or the failure text.
  gbk::Text send(std::string_view payload, std::optional<bool> flag = std::nullopt) {
    std::unique_ptr<ide_link::PendingRequest> pending = ide_link::sendWizardRequest(kernel, buffer, payload, flag);
    if (!pending) return gbk::Text(ide_link::kFailureText);
    return pending->poll() == ide_link::PendingRequest::State::answered ? pending->reply()
                                                                        : gbk::Text(ide_link::kFailureText);
  }
};

TEST_F(WizardChannelTest, WritesBothBlocksSignalsAndReturnsTheReply) {
  buffer.queueCommandRecord(5, {Argument::text("a")});
  EXPECT_EQ(send("PAYLOAD", false), "OK");
  ASSERT_EQ(request.size(), 2048u);
  EXPECT_EQ(requestSizeWord, 2048u);
  EXPECT_EQ(request.substr(0, 12 + 7 + 22),
            word(0) + word(7) + "PAYLOAD" + word(22) + word(5) + word(1) + textEntry("a"));
  // Past the request the new block is untouched.
  EXPECT_EQ(request.find_first_not_of('\0', 12 + 7 + 22), std::string::npos);
  EXPECT_EQ(kernel.log, (Log{"open EWEVT1", "open EWEVT2", "create EWIZ1 2048", "create EWIZ2 4", "map EWIZ1",
                             "map EWIZ2", "reset EWEVT2", "signal EWEVT1", "signal EWEVT2", "close EWEVT2",
                             "unmap EWIZ2", "close EWIZ2", "unmap EWIZ1", "close EWIZ1", "close EWEVT1"}));
  EXPECT_TRUE(buffer.bytes().empty());
  // Nothing of the exchange stays open.
  EXPECT_TRUE(kernel.block("EWIZ1").empty());
}

TEST_F(WizardChannelTest, TheFlagWordAndAnEmptyBuffer) {
  send("x");
  EXPECT_EQ(wordAt(request, 0), 1u) << "a left-out flag";
  send("x", true);
  EXPECT_EQ(wordAt(request, 0), 1u);
  send("x", false);
  EXPECT_EQ(wordAt(request, 0), 0u);
  // Nothing queued: N is 0 and no buffer bytes follow.
  EXPECT_EQ(request.substr(0, 13), word(0) + word(1) + "x" + word(0));
  EXPECT_EQ(request.find_first_not_of('\0', 13), std::string::npos);
}

TEST_F(WizardChannelTest, ALargeRequestGetsABlockOfExactlyItsSize) {
  std::string payload(229481, '\x7f');
  queueDeclaration(buffer, 64, "矩形_");
  reply = "";
  EXPECT_EQ(send(payload, false), "");
  EXPECT_EQ(requestSizeWord, 229493u + 64);
  ASSERT_EQ(request.size(), 229493u + 64);
  // L is odd: N sits at the unaligned offset 8 + L, the records right after it.
  EXPECT_EQ(wordAt(request, 4), 229481u);
  EXPECT_EQ(request.compare(8, payload.size(), payload), 0);
  EXPECT_EQ(wordAt(request, 8 + 229481), 64u);
  EXPECT_EQ(wordAt(request, 12 + 229481), 6u);
}

TEST_F(WizardChannelTest, AReplyWithoutNulEndsWithTheView) {
  reply = std::string(5000, 'r');
  EXPECT_EQ(send("x"), std::string(2048, 'r'));
}

TEST_F(WizardChannelTest, AnExistingLargerBlockIsUsedWithItsOwnSize) {
  kernel.holdBlock("EWIZ1", 4096);
  EXPECT_EQ(send("x"), "OK");
  EXPECT_EQ(request.size(), 4096u);
  EXPECT_EQ(requestSizeWord, 2048u);
}

// Every way the exchange can fail: the failure text, an empty buffer, nothing signalled
// after a failed step, and every object closed as far as it was made.
struct Failure {
  const char* name;
  void (*arrange)(platform::headless::HeadlessKernelObjects&, WizardRequestBuffer&);
  Log log;
};

class WizardChannelFailure : public WizardChannelTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(WizardChannelFailure, GivesTheFailureTextAndEmptiesTheBuffer) {
  GetParam().arrange(kernel, buffer);
  queueDeclaration(buffer, 64, "矩形_");
  EXPECT_EQ(send("PAYLOAD", false), "与易系统通讯失败！");
  EXPECT_TRUE(buffer.bytes().empty());
  EXPECT_FALSE(buffer.broken());
  EXPECT_EQ(kernel.log, GetParam().log);
  // Records queued before a failed send do not reach the next one.
  kernel = {};
  SetUp();
  EXPECT_EQ(send("PAYLOAD", false), "OK");
  EXPECT_EQ(wordAt(request, 15), 0u);
}

// The log of a failed exchange: what was tried, then what was made closed again in the
// exchange's order ("EWEVT2", "EWIZ2", "EWIZ1", "EWEVT1").
Log failedAfter(Log tried, Log blocksClosed) {
  Log out = {"open EWEVT1", "open EWEVT2"};
  out.insert(out.end(), tried.begin(), tried.end());
  out.push_back("close EWEVT2");
  out.insert(out.end(), blocksClosed.begin(), blocksClosed.end());
  out.push_back("close EWEVT1");
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, WizardChannelFailure,
    ::testing::Values(
        Failure{"NoRequestEvent", [](auto& k, auto&) { k = {}; }, {"open EWEVT1"}},
        Failure{"NoReplyEvent",
                [](auto& k, auto&) {
                  k = {};
                  k.createEvent("EWEVT1");
                },
                {"open EWEVT1", "open EWEVT2", "close EWEVT1"}},
        Failure{"RequestBlockNotCreated", [](auto& k, auto&) { k.failCreating("EWIZ1"); },
                failedAfter({"create EWIZ1 2048"}, {})},
        Failure{"SizeBlockNotCreated", [](auto& k, auto&) { k.failCreating("EWIZ2"); },
                failedAfter({"create EWIZ1 2048", "create EWIZ2 4"}, {"close EWIZ1"})},
        Failure{"RequestViewNotMapped", [](auto& k, auto&) { k.failMapping("EWIZ1"); },
                failedAfter({"create EWIZ1 2048", "create EWIZ2 4", "map EWIZ1"}, {"close EWIZ2", "close EWIZ1"})},
        Failure{"SizeViewNotMapped", [](auto& k, auto&) { k.failMapping("EWIZ2"); },
                failedAfter({"create EWIZ1 2048", "create EWIZ2 4", "map EWIZ1", "map EWIZ2"},
                            {"close EWIZ2", "unmap EWIZ1", "close EWIZ1"})},
        // Another process made "EWIZ1" first, smaller than this request: it is never
        // written past its end.
        Failure{"ExistingSmallerRequestBlock", [](auto& k, auto&) { k.holdBlock("EWIZ1", 100); },
                failedAfter({"create EWIZ1 2048", "create EWIZ2 4", "map EWIZ1"},
                            {"close EWIZ2", "unmap EWIZ1", "close EWIZ1"})},
        // The IDE ended without an answer: nobody is left who could signal.
        Failure{"IdeEndedWithoutAnswer",
                [](auto& k, auto&) {
                  k.whenSignalled("EWEVT1", nullptr);
                  k.endIde();
                },
                failedAfter({"create EWIZ1 2048", "create EWIZ2 4", "map EWIZ1", "map EWIZ2", "reset EWEVT2",
                             "signal EWEVT1"},
                            {"unmap EWIZ2", "close EWIZ2", "unmap EWIZ1", "close EWIZ1"})},
        Failure{"BufferCouldNotGrow", [](auto&, auto& b) { b = WizardRequestBuffer(10); }, failedAfter({}, {})}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Waiting -------------------------------------------------------------------------

TEST_F(WizardChannelTest, OnlyAnAnswerToThisRequestCounts) {
  // A signal left over from an exchange given up, or from an IDE that signalled with no
  // request, is cleared before the request is signalled.
  kernel.whenSignalled("EWEVT1", nullptr);
  kernel.signal("EWEVT2");
  std::unique_ptr<ide_link::PendingRequest> pending = ide_link::sendWizardRequest(kernel, buffer, "x", false);
  ASSERT_TRUE(pending);
  EXPECT_EQ(pending->poll(), ide_link::PendingRequest::State::waiting);

  // The IDE takes its time; the request's blocks stay open for it meanwhile.
  EXPECT_EQ(pending->poll(), ide_link::PendingRequest::State::waiting);
  ASSERT_GE(kernel.block("EWIZ1").size(), 13u);
  std::memcpy(kernel.block("EWIZ1").data(), "LATE", 5);
  kernel.signal("EWEVT2");
  // An answer counts even when the IDE ended right after it.
  kernel.endIde();
  EXPECT_EQ(pending->poll(), ide_link::PendingRequest::State::answered);
  EXPECT_EQ(pending->reply(), "LATE");
}

TEST_F(WizardChannelTest, AWaitEndsOnceNobodyIsLeftToAnswer) {
  kernel.whenSignalled("EWEVT1", nullptr);
  std::unique_ptr<ide_link::PendingRequest> pending = ide_link::sendWizardRequest(kernel, buffer, "x");
  ASSERT_TRUE(pending);
  EXPECT_EQ(pending->poll(), ide_link::PendingRequest::State::waiting);
  kernel.endIde();
  EXPECT_EQ(pending->poll(), ide_link::PendingRequest::State::unanswerable);
}

}  // namespace
