#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CEvalContext;

// What a completion offers.
enum class CandidateKind
{
    Keyword,
    Variable,
    Constant,
    Function,
};

struct Candidate
{
    std::string strText;   // what goes into the line: "pow(", "a", "pi", "fx1"
    std::string strDetail; // one line: what a function does, a variable's value
    CandidateKind kind;
};

// The names that complete strPrefix (matched without regard to case): the same name first, then
// names that start with it as typed, then the others; within each, keywords, variables,
// constants and functions, the functions in the order the evaluator tries them (pow before pol). Keywords only where bLineStart. A prefix that starts no name
// gets the nearest names instead (sqrt: sqr( and sqrn(). Variables and the language of the
// descriptions come from eval.
std::vector<Candidate> CompletionCandidates(std::string_view strPrefix, const CEvalContext& eval,
                                            bool bLineStart);

// Where the name that ends at nCaret in strLine starts (UTF-16, as the text control holds it);
// nCaret itself when no name ends there: inside a number, in a comment, after other characters.
std::size_t NameStart(std::u16string_view strLine, std::size_t nCaret);
