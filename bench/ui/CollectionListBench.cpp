// Opening the list of a 5,000-game collection the way the file window does: the file read and
// indexed, the window "棋譜の選択" built, shown and painted with its first rows.
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>

#include "intake/RecordCollection.h"
#include "records/ui/FomGames.h"
#include "support/GeneratedCollection.h"
#include "support/TestSupport.h"

namespace kelmaz::bench {
namespace {

void BM_OpenListOf5000Games(benchmark::State& st) {
    const test::TempDir dir;
    const std::filesystem::path path = dir.file("collection.sgf");
    test::writeBytes(path, test::generatedCollection(5000));
    for (auto _ : st) {
        auto file = std::make_shared<const RecordCollection>(*loadRecordCollection(path.string()));
        FomGames list(file);
        list.show();
        list.grab();  // painted: the visible rows asked their model for every cell
        if (list.List->model()->rowCount() != 5000) st.SkipWithError("rows missing");
        list.close();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenListOf5000Games)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelmaz::bench
