#include <benchmark/benchmark.h>

#include "app/wizard_app.h"
#include "library/pinyin.h"
#include "navigation/api_index.h"
#include "navigation/search_index.h"
#include "tests/headless_wizard.h"
#include "tests/shared_library.h"

namespace {

// A started wizard on the headless platform, the index page on show.
struct StartedWizard : HeadlessWizard {
  StartedWizard() {
    start();
    w.选择夹_目录区.userChangedPage(2);
  }
};

// Every catalog entry put into the sorted list, in the language chosen.
void BM_FillIndex(benchmark::State& state) {
  StartedWizard s;
  if (state.range(0)) s.w.单选框_英文索引.userClicked();
  for (auto _ : state) {
    navigation::fillIndex(s.wizard.window, s.wizard.library.catalog);
    benchmark::DoNotOptimize(s.w.列表框_索引.count());
  }
}
BENCHMARK(BM_FillIndex)->Arg(0)->Arg(1)->ArgNames({"english"});

// One keystroke: the prefix find and showing the entry it selects (lookup, table, text form).
void BM_IncrementalFindKeystroke(benchmark::State& state) {
  StartedWizard s;
  s.w.单选框_英文索引.userClicked();
  const char* texts[] = {"getmenuiteminf", "getmenuiteminfo"};
  int i = 0;
  for (auto _ : state) {
    s.w.编辑框_索引.userTyped(texts[i ^= 1]);
    benchmark::DoNotOptimize(s.w.列表框_索引.currentSelection());
  }
}
BENCHMARK(BM_IncrementalFindKeystroke);

// One keystroke in the Chinese index that no name begins with: the pinyin initials of
// all names, then their syllables up to 重画窗口_, far down the list; and the showing.
void BM_PinyinFindKeystroke(benchmark::State& state) {
  StartedWizard s;
  const char* texts[] = {"zhonghuachuan", "zhonghuachuang"};
  int i = 0;
  for (auto _ : state) {
    s.w.编辑框_索引.userTyped(texts[i ^= 1]);
    benchmark::DoNotOptimize(s.w.列表框_索引.currentSelection());
  }
}
BENCHMARK(BM_PinyinFindKeystroke);

// The pinyin alone: letters that no name spells, tried on every Chinese name by
// initials and by syllables, as a keystroke that finds nothing does.
void BM_PinyinMatchEveryName(benchmark::State& state) {
  StartedWizard s;
  std::vector<gbk::Text> names;
  for (int pos = 0; pos < s.w.列表框_索引.count(); ++pos) names.push_back(s.w.列表框_索引.itemText(pos));
  for (auto _ : state) {
    int found = 0;
    for (library::PinyinSpelling spelling : {library::PinyinSpelling::initials, library::PinyinSpelling::syllables}) {
      library::PinyinMatcher matcher("qucaidantiaomuxinxiq", spelling);
      for (const gbk::Text& name : names) found += matcher.begins(name) ? 1 : 0;
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["names"] = static_cast<double>(names.size());
}
BENCHMARK(BM_PinyinMatchEveryName);

// One API search: catalog lines, descriptions and the glossary, with few hits, with every
// line a hit, with hits in descriptions and with hits through the glossary. The search's
// index is made at the first search, before the timing.
void BM_ApiSearch(benchmark::State& state) {
  StartedWizard s;
  s.w.选择夹_目录区.userChangedPage(3);
  const char* texts[] = {"menuiteminfo", "", "顶层窗口", "取窗口"};
  s.w.编辑框_搜索内容.userTyped(texts[state.range(0)]);
  s.w.按钮_搜索.userClicked();
  for (auto _ : state) {
    s.w.按钮_搜索.userClicked();
    benchmark::DoNotOptimize(s.w.列表框_搜索结果.count());
  }
  state.counters["hits"] = s.w.列表框_搜索结果.count();
}
BENCHMARK(BM_ApiSearch)->DenseRange(0, 3)->ArgNames({"text"});

// What the first API search pays once: the descriptions gathered, the names cut into words.
void BM_MakeSearchIndex(benchmark::State& state) {
  const library::Library& library = sharedLibrary();
  for (auto _ : state) {
    navigation::SearchIndex index(library.catalog, library.texts.dllCommands().text(), library.glossary);
    benchmark::DoNotOptimize(&index);
  }
}
BENCHMARK(BM_MakeSearchIndex)->Unit(benchmark::kMillisecond);

}  // namespace
