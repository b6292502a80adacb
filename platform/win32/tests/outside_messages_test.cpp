// Messages that any program can send to the wizard's windows: the request for a virtual
// list's item text, and the grid's note to itself. Whatever they carry (a position outside
// the list, a reply window that is no window or one whose thread does not pump, ten
// thousand in a row), the list answers what it can without a long wait, and both controls
// show what they showed.
#include <string>
#include <vector>

#include "list_support.h"
#include "peer_test.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/grid.h"
#include "platform/win32/handles.h"
#include "platform/win32/list_controls.h"

namespace platform::win32::testing {
namespace {

// The answers that a window of this class took: the position each names, and its text.
struct Answer {
  int pos;
  std::wstring text;
  bool operator==(const Answer&) const = default;
};
std::vector<Answer> answers;

LRESULT CALLBACK takeAnswer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(hwnd, message, wParam, lParam);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  answers.push_back({static_cast<int>(data->dwData),
                     std::wstring(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t))});
  return TRUE;
}

HWND makeReceiver(const wchar_t* windowClass, WNDPROC procedure) {
  WNDCLASSW registered{};
  registered.lpfnWndProc = procedure;
  registered.hInstance = GetModuleHandleW(nullptr);
  registered.lpszClassName = windowClass;
  RegisterClassW(&registered);
  return CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

// A reply window on a thread of its own that takes no message until it is released, or
// until a few seconds have passed: an answer sent without a time limit would wait that long.
// It reads no answer: one given up on arrives late, its data gone.
class DeafRequester {
 public:
  static constexpr DWORD kDeafMs = 4000;
  DeafRequester()
      : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_.reset(CreateThread(nullptr, 0, &DeafRequester::run, this, 0, nullptr));
    WaitForSingleObject(ready_.get(), INFINITE);
  }
  ~DeafRequester() {
    SetEvent(release_.get());
    PostMessageW(window_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
  }
  HWND window() const { return window_; }

 private:
  static DWORD WINAPI run(void* self) {
    auto* requester = static_cast<DeafRequester*>(self);
    requester->window_ = makeReceiver(L"DeafItemTextRequester", DefWindowProcW);
    SetEvent(requester->ready_.get());
    WaitForSingleObject(requester->release_.get(), kDeafMs);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(requester->window_);
    return 0;
  }
  OwnedHandle ready_, release_, thread_;
  HWND window_ = nullptr;
};

class OutsideMessagesTest : public PeerTest {
 protected:
  OutsideMessagesTest() {
    answers.clear();
    for (const char* name : {"CreateFileA", "创建窗口", "TextOutA"}) list.add(name);
    list.onItemSelected = [this] { events.add("selected"); };
    native = make<NativeList>(list, {10, 10, 200, 300}).hwnd();
    receiver = makeReceiver(L"ItemTextAnswers", takeAnswer);
  }
  ~OutsideMessagesTest() override { DestroyWindow(receiver); }

  void request(WPARAM pos, HWND replyTo) {
    SendMessageW(native, itemTextRequestMessage(), pos, reinterpret_cast<LPARAM>(replyTo));
  }

  ListBox list{"列表框_索引", true};
  HWND native = nullptr;
  HWND receiver = nullptr;
};

TEST_F(OutsideMessagesTest, APositionOutsideTheListIsAnsweredWithNoText) {
  request(1, receiver);
  request(3, receiver);
  request(static_cast<WPARAM>(-1), receiver);
  request(0x7FFFFFFF, receiver);
  request(static_cast<WPARAM>(0x1'0000'0002), receiver);  // beyond an int: its low half
  EXPECT_EQ(answers, (std::vector<Answer>{{1, L"TextOutA"}, {3, L""}, {-1, L""}, {0x7FFFFFFF, L""}, {2, L"创建窗口"}}));
  EXPECT_EQ(shownItems(native), modelItems(list));
}

TEST_F(OutsideMessagesTest, AReplyWindowThatIsNoWindowGetsNothingAndChangesNothing) {
  HWND gone = makeReceiver(L"ItemTextAnswers", takeAnswer);
  DestroyWindow(gone);
  for (HWND replyTo :
       {HWND{}, gone, reinterpret_cast<HWND>(0x12345), reinterpret_cast<HWND>(~std::uintptr_t{0}), native, window()}) {
    request(0, replyTo);
  }
  settle();
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(shownItems(native), modelItems(list));
  EXPECT_EQ(shownSelection(native), -1);
  EXPECT_TRUE(events.take().empty());
}

TEST_F(OutsideMessagesTest, TenThousandRequestsInARowAreEachAnswered) {
  constexpr int kRequests = 10000;
  for (int i = 0; i < kRequests; ++i) request(static_cast<WPARAM>(i % 4), receiver);
  for (int i = 0; i < kRequests; ++i) PostMessageW(native, itemTextRequestMessage(), 7, 0);  // no reply window
  settle();
  ASSERT_EQ(answers.size(), static_cast<std::size_t>(kRequests));
  EXPECT_EQ(answers[kRequests - 1], (Answer{3, L""}));
  EXPECT_EQ(answers[kRequests - 2], (Answer{2, L"创建窗口"}));
  EXPECT_EQ(shownItems(native), modelItems(list));
  EXPECT_TRUE(events.take().empty());
}

// Without a time limit the first answer would wait until the requester pumps again,
// and every click with it.
TEST_F(OutsideMessagesTest, ARequesterThatDoesNotPumpHoldsUpTheListOnlyBriefly) {
  DeafRequester deaf;
  const ULONGLONG began = GetTickCount64();
  for (int i = 0; i < 50; ++i) request(0, deaf.window());
  const ULONGLONG waited = GetTickCount64() - began;
  EXPECT_LT(waited, DeafRequester::kDeafMs / 4) << "ms spent answering a requester that does not pump";
  // Others are answered at once all the while.
  request(1, receiver);
  EXPECT_EQ(answers, (std::vector<Answer>{{1, L"TextOutA"}}));
  click(native, centre(itemRect(native, 2)));
  EXPECT_EQ(events.take(), std::vector<std::string>{"selected"});
}

// The grid's own message, which another program can post too: however many, with whatever
// values, the grid keeps its picture.
class GridMessagesTest : public PeerTest {
 protected:
  Grid grid{"高级表格1", displayScale()};
};

TEST_F(GridMessagesTest, AFloodOfTheGridsOwnMessageChangesNothing) {
  HWND shown = make<NativeGrid>(grid, {10, 10, 300, 200}).hwnd();
  grid.setRowCount(40);
  grid.setColumnCount(3);
  grid.setCellText(0, 0, "声明");
  settle();
  const ShownPicture before(shown);
  for (int i = 0; i < 10000; ++i) PostMessageW(shown, WM_APP + 1, static_cast<WPARAM>(-i), LPARAM{i} * 0x10001);
  settle();
  EXPECT_EQ(ShownPicture(shown), before);
}

}  // namespace
}  // namespace platform::win32::testing
