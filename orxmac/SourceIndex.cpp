#include "orxmac/SourceIndex.h"

namespace orvex::orxmac {

uint32_t NameTable::intern(std::string_view lowered) {
    auto it = m_ids.find(std::string(lowered));
    if (it != m_ids.end()) return it->second;
    const uint32_t id = static_cast<uint32_t>(m_names.size());
    m_names.emplace_back(lowered);
    m_ids.emplace(m_names.back(), id);
    return id;
}

bool NameTable::find(std::string_view lowered, uint32_t& id) const {
    auto it = m_ids.find(std::string(lowered));
    if (it == m_ids.end()) return false;
    id = it->second;
    return true;
}

void NameTable::clear() {
    m_ids.clear();
    m_names.clear();
}

void SourceIndex::reset(const MacroSource& source) {
    m_text = source.bytes();
    m_size = source.size();
    m_tokenAt.assign(static_cast<size_t>(m_size) + 1, 0u);
    m_chunks.clear();
    m_tokenCount = 0;
    m_literals.clear();
    m_names.clear();
}

Token& SourceIndex::slot(uint32_t pos) {
    if (pos > m_size) pos = m_size;
    uint32_t& entry = m_tokenAt[pos];
    if (entry != 0) return tokenAtIndex(entry - 1);
    const uint32_t index = m_tokenCount++;
    if ((index & (kChunkSize - 1)) == 0) m_chunks.push_back(std::make_unique<Token[]>(kChunkSize));
    entry = index + 1;
    Token& t = tokenAtIndex(index);
    t.end = kNoPos;  // not lexed yet
    return t;
}

int SourceIndex::lex(uint32_t pos, const Token*& tok, uint32_t& errorPos) {
    if (pos > m_size) pos = m_size;  // never beyond the terminating NUL
    Token& t = slot(pos);
    if (t.end != kNoPos) {
        tok = &t;
        return 0;
    }
    const uint8_t* s = m_text;
    const uint8_t c = s[pos];
    uint32_t end = pos;
    if (scan::isExpressionEnd(c)) {
        t.kind = TokenKind::End;
        end = pos;  // an end character is not consumed by the expression
    } else if (scan::isDigit(c)) {
        t.kind = TokenKind::Number;
        end = scan::readNumber(s, pos, t.value);
    } else if (c == '\'') {
        uint32_t p = pos;
        int32_t v = 0;
        if (int r = scan::readCharLiteral(s, p, v)) {
            errorPos = p;
            return r;
        }
        t.kind = TokenKind::Number;
        t.value = v;
        end = p;
    } else if (c == '"') {
        uint32_t p = pos;
        std::string value;
        if (int r = scan::readStringLiteral(s, p, value)) {
            errorPos = p;
            return r;
        }
        t.kind = TokenKind::String;
        t.value = static_cast<int32_t>(m_literals.size());
        m_literals.push_back(std::move(value));
        end = p;
    } else if (scan::isIdentStart(c)) {
        t.kind = TokenKind::Name;
        end = scan::identifierEnd(s, pos);
        t.keyword = scan::keywordOf(s, pos, end);
        t.reserved = scan::isReserved(t.keyword);
        std::string lowered(reinterpret_cast<const char*>(s + pos), end - pos);
        for (char& ch : lowered) ch = static_cast<char>(scan::toLowerAscii(static_cast<uint8_t>(ch)));
        t.value = static_cast<int32_t>(m_names.intern(lowered));
    } else {
        uint32_t length = 0;
        t.op = scan::matchOperator(s, pos, length);
        if (t.op != scan::Op::None) {
            t.kind = TokenKind::Operator;
            end = pos + length;
        } else {
            t.kind = TokenKind::Other;
            end = pos + 1;
        }
    }
    t.end = end;
    uint32_t next = end;
    t.next = scan::skipBlanks(s, next) == 0 ? next : kNoPos;
    tok = &t;
    return 0;
}

int SourceIndex::rememberedSkip(uint32_t& pos, uint32_t Token::*end,
                                int (*skip)(const uint8_t*, uint32_t&)) {
    Token& t = slot(pos);
    if (t.*end != kNoPos) {
        pos = t.*end;
        return 0;
    }
    uint32_t p = pos;
    const int r = skip(m_text, p);
    pos = p;
    if (r == 0) t.*end = p;
    return r;
}

int SourceIndex::skipGroup(uint32_t& pos) { return rememberedSkip(pos, &Token::groupEnd, scan::skipGroup); }

int SourceIndex::skipExpression(uint32_t& pos) {
    return rememberedSkip(pos, &Token::expressionEnd, scan::skipExpression);
}

}  // namespace orvex::orxmac
