#include "evaluators/SchemeReader.h"

#include "evaluators/OutOfLine.h"
#include "evaluators/SchemeError.h"
#include "evaluators/SchemeLimits.h"

namespace NsOrvelA::evaluators
{
namespace
{
bool isDigit (char c) noexcept { return c >= '0' && c <= '9'; }

[[noreturn]] EVALUATOR_OUT_OF_LINE void throwReadError (const char* message) { throw SchemeError (message); }

SchemeCell readValue (SchemeTokens& tokens, int depth)
{
    if (tokens.empty())
        throwReadError ("unexpected end of the program text");

    auto token = std::move (tokens.front());
    tokens.pop_front();

    if (token != "(")
        return schemeAtom (token);

    if (depth >= schemeNestingLimit)
        throwReadError ("lists nest too deep");

    SchemeCell list (SchemeCellType::list);

    for (;;)
    {
        if (tokens.empty())
            throwReadError ("missing ')' at the end of the program text");

        if (tokens.front() == ")")
            break;

        list.list.push_back (readValue (tokens, depth + 1));
    }

    tokens.pop_front();
    return list;
}
} // namespace

SchemeTokens schemeTokenize (const std::string& text)
{
    SchemeTokens tokens;
    size_t position = 0;

    while (position < text.size())
    {
        const auto c = text[position];

        if (c == ' ')
        {
            ++position;
        }
        else if (c == '(' || c == ')')
        {
            tokens.emplace_back (1, c);
            ++position;
        }
        else
        {
            const auto end = std::min (text.find_first_of (" ()", position), text.size());
            tokens.push_back (text.substr (position, end - position));
            position = end;
        }
    }

    return tokens;
}

SchemeCell schemeAtom (const std::string& token)
{
    const auto startsNumber = (! token.empty() && isDigit (token[0])) || (token.size() > 1 && token[0] == '-' && isDigit (token[1]));
    return { startsNumber ? SchemeCellType::number : SchemeCellType::symbol, token };
}

SchemeCell schemeReadFrom (SchemeTokens& tokens) { return readValue (tokens, 0); }

SchemeCell schemeRead (const std::string& text)
{
    auto tokens = schemeTokenize (text);
    return schemeReadFrom (tokens);
}
} // namespace NsOrvelA::evaluators
