#pragma once

#include <vector>

// The overview of one file: per column the lowest and highest sample of all channels folded,
// in -1..1. Columns are computed from the left; `known` of them are filled so far.
struct WaveformPeaks {
    struct Column {
        float min = 0.0f;
        float max = 0.0f;
    };
    std::vector<Column> columns;
    int known = 0;

    bool isEmpty() const { return known == 0; }
    bool isComplete() const {
        return !columns.empty() && known == static_cast<int>(columns.size());
    }
};
