#include "brackettext.h"

#include "parserint.h"

using namespace vdp;

void BracketText::Assign(const char* text, size_t length) {
    chars_.assign(text, text + length);
    next_.resize(length);
    prev_.resize(length);
    for (size_t i = 0; i < length; ++i) {
        next_[i] = i + 1 < length ? int(i + 1) : kEnd;
        prev_[i] = int(i) - 1;
    }
    tail_ = int(length) - 1;
}

bool BracketText::IsExponentMark(int node) const {
    if (node < 0 || At(node) != 'e') return false;
    const int before = Prev(node);
    return before >= 0 && (IsDigit(At(before)) || At(before) == '.');
}

std::string BracketText::Text(int first, int end) const {
    std::string text;
    for (int node = first; node != end && node != kEnd; node = Next(node)) text += At(node);
    return text;
}

int BracketText::Replace(int first, int end, const std::string& text) {
    const int before = Prev(first);
    int last = before;
    for (const char c : text) {
        const int node = int(chars_.size());
        chars_.push_back(c);
        prev_.push_back(last);
        next_.push_back(kEnd);
        if (last >= 0) next_[size_t(last)] = node;
        last = node;
    }
    next_[size_t(last)] = end;
    if (end >= 0) prev_[size_t(end)] = last;
    return before >= 0 ? Next(before) : last - int(text.size()) + 1;
}
