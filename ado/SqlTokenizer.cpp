#include "ado/SqlTokenizer.h"

#include "ado/ProviderError.h"

#include <cctype>

namespace ado::sql {

namespace {

bool isNameStart(unsigned char c) {
    return std::isalpha(c) || c == '_' || c == '@' || c == '#' || c >= 0x80;
}

bool isNameChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '@' || c == '#' || c == '$' || c >= 0x80;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text around an offending position, for the message.
std::string excerpt(std::string_view sql, size_t from) {
    std::string_view rest = sql.substr(from);
    if (rest.size() > 40) rest = rest.substr(0, 40);
    return std::string(rest);
}

class Lexer {
  public:
    explicit Lexer(std::string_view sql) : s_(sql) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        out.reserve(s_.size() / 3 + 4);
        while (p_ < s_.size()) {
            size_t start = p_;
            Tok kind = next();
            out.push_back({kind, s_.substr(start, p_ - start)});
        }
        return out;
    }

  private:
    std::string_view s_;
    size_t p_ = 0;

    char at(size_t i) const { return i < s_.size() ? s_[i] : '\0'; }

    Tok next() {
        char c = s_[p_];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            while (p_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[p_])))
                ++p_;
            return Tok::Space;
        }
        if (c == '-' && at(p_ + 1) == '-') {
            while (p_ < s_.size() && s_[p_] != '\n')
                ++p_;
            return Tok::Comment;
        }
        if (c == '/' && at(p_ + 1) == '*') return blockComment();
        if (c == '\'') {
            quoted('\'', p_);
            return Tok::String;
        }
        if ((c == 'N' || c == 'n') && at(p_ + 1) == '\'') {
            size_t start = p_++;
            quoted('\'', start);
            return Tok::NString;
        }
        if (c == '"') {
            quoted('"', p_);
            return Tok::QuotedIdent;
        }
        if (c == '[') return bracketed();
        if (isDigit(c) || (c == '.' && isDigit(at(p_ + 1)))) return number();
        if (isNameStart(static_cast<unsigned char>(c))) {
            while (p_ < s_.size() && isNameChar(static_cast<unsigned char>(s_[p_])))
                ++p_;
            return Tok::Ident;
        }
        if (c == '?') {
            ++p_;
            while (p_ < s_.size() && isDigit(s_[p_]))
                ++p_;
            return Tok::Param;
        }
        if (c == '(' || c == ')' || c == ',' || c == ';' || c == '.') {
            ++p_;
            return Tok::Punct;
        }
        static constexpr std::string_view twoChar[] = {"<=", ">=", "<>", "!=", "!<",
                                                       "!>", "||", "==", "<<", ">>"};
        for (std::string_view op : twoChar)
            if (s_.substr(p_, 2) == op) {
                p_ += 2;
                return Tok::Op;
            }
        ++p_;
        return Tok::Op;
    }

    // A literal or quoted name closed by `q`, where a doubled `q` stands for one.
    void quoted(char q, size_t start) {
        ++p_;
        while (p_ < s_.size()) {
            if (s_[p_] == q) {
                if (at(p_ + 1) == q) {
                    p_ += 2;
                    continue;
                }
                ++p_;
                return;
            }
            ++p_;
        }
        if (q == '\'')
            detail::raiseProvider(rt::errProvider, "Unclosed quotation mark after the character string '" +
                                                       excerpt(s_, start + 1) + "'.");
        detail::raiseProvider(rt::errProvider, "Unclosed quoted name " + excerpt(s_, start) + ".");
    }

    Tok bracketed() {
        size_t start = p_++;
        while (p_ < s_.size()) {
            if (s_[p_] == ']') {
                if (at(p_ + 1) == ']') {
                    p_ += 2;
                    continue;
                }
                ++p_;
                return Tok::QuotedIdent;
            }
            ++p_;
        }
        detail::raiseProvider(rt::errProvider, "Unclosed quoted name " + excerpt(s_, start) + ".");
    }

    Tok blockComment() {
        size_t start = p_;
        int depth = 0;
        while (p_ < s_.size()) {
            if (s_[p_] == '/' && at(p_ + 1) == '*') {
                ++depth;
                p_ += 2;
            } else if (s_[p_] == '*' && at(p_ + 1) == '/') {
                p_ += 2;
                if (--depth == 0) return Tok::Comment;
            } else {
                ++p_;
            }
        }
        detail::raiseProvider(rt::errProvider,
                              "Missing end comment mark '*/' after " + excerpt(s_, start) + ".");
    }

    Tok number() {
        if (s_[p_] == '0' && (at(p_ + 1) == 'x' || at(p_ + 1) == 'X')) {
            p_ += 2;
            while (p_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[p_])))
                ++p_;
            return Tok::Number;
        }
        while (p_ < s_.size() && isDigit(s_[p_]))
            ++p_;
        if (at(p_) == '.') {
            ++p_;
            while (p_ < s_.size() && isDigit(s_[p_]))
                ++p_;
        }
        if ((at(p_) == 'e' || at(p_) == 'E') &&
            (isDigit(at(p_ + 1)) || ((at(p_ + 1) == '+' || at(p_ + 1) == '-') && isDigit(at(p_ + 2))))) {
            p_ += 2;
            while (p_ < s_.size() && isDigit(s_[p_]))
                ++p_;
        }
        return Tok::Number;
    }
};

} // namespace

bool Token::isWord(std::string_view word) const {
    if (kind != Tok::Ident || text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

std::vector<Token> tokenize(std::string_view sql) {
    return Lexer(sql).run();
}

} // namespace ado::sql
