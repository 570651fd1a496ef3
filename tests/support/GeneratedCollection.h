#pragma once
// A generated SGF collection for the collection tests and benchmarks: `games` game trees, each
// with its own players, date, result and event, and a main line of distinct moves whose length
// varies from game to game (some with a variation), separated by line breaks.
#include <string>

namespace kelmaz::test {

inline std::string generatedGame(int number) {
    const std::string n = std::to_string(number);
    std::string game = "(;GM[1]FF[4]CA[UTF-8]SZ[19]PB[黒 " + n + "]PW[白 " + n + "]DT[2020-01-" +
                       std::to_string(1 + number % 28) + "]RE[" + (number % 2 ? "B+R" : "W+0.5") +
                       "]EV[第" + n + "回 大会]C[対局 " + n + " \\] 終]";
    const int moves = 40 + number % 80;
    for (int k = 0; k < moves; ++k) {
        const int point = (k * 7 + number) % 361;  // 7 and 361 share no factor: all distinct
        game += std::string(k % 2 ? "\n;W[" : ";B[") + char('a' + point % 19) +
                char('a' + point / 19) + "]";
        if (k == moves / 2 && number % 3 == 0) game += "(;B[ss])(;W[sr]";
    }
    if (number % 3 == 0) game += ")";
    return game + ")\n";
}

inline std::string generatedCollection(int games) {
    std::string text;
    for (int i = 1; i <= games; ++i) text += generatedGame(i);
    return text;
}

}  // namespace kelmaz::test
