// The text of one bracket while the compiler works on it.
#pragma once

#include <string>
#include <vector>

namespace vdp {

// The characters of a bracket, from its "(" to its ")", as a linked list: putting the reference
// to a result in place of an operation costs the length of the operation, not of the bracket, so
// that a bracket with n operations compiles in time proportional to its length.
class BracketText {
public:
    // The list becomes the length characters at text; the first is the bracket's "(", the last
    // its ")".
    void Assign(const char* text, size_t length);
    int Head() const { return 0; }
    int Tail() const { return tail_; }
    char At(int node) const { return chars_[size_t(node)]; }
    int Next(int node) const { return next_[size_t(node)]; }
    int Prev(int node) const { return prev_[size_t(node)]; }
    // True when the node is the "e" of a number's exponent (a digit or point in front of it).
    bool IsExponentMark(int node) const;
    // The characters from first up to, not including, end (end may be kEnd: to the last).
    std::string Text(int first, int end) const;
    // Puts text in place of the nodes from first up to, not including, end; returns the first
    // new node.
    int Replace(int first, int end, const std::string& text);

    static constexpr int kEnd = -1;

private:
    std::vector<char> chars_;
    std::vector<int> next_, prev_;
    int tail_ = 0;
};

} // namespace vdp
