#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <type_traits>

namespace tarvelo {

inline bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// One prepared SQLite statement, finalised when it goes out of scope.
class Statement
{
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            m_stmt = nullptr;
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return m_stmt != nullptr; }
    sqlite3_stmt* get() const { return m_stmt; }

    void Bind(int index, std::string_view text)
    {
        sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    // Bytes that may hold zeros.
    void BindBlob(int index, std::string_view bytes)
    {
        sqlite3_bind_blob(m_stmt, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
    }
    void Bind(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }
    void Bind(int index, double value) { sqlite3_bind_double(m_stmt, index, value); }
    // Binds the values to ?1, ?2, ... in order; integers (and bools) as 64-bit.
    template <typename... Values> void BindAll(const Values&... values)
    {
        int index = 0;
        (BindAt(++index, values), ...);
    }

    std::string Blob(int column) const
    {
        const auto* bytes = sqlite3_column_blob(m_stmt, column);
        return bytes ? std::string(static_cast<const char*>(bytes),
                                   static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)))
                     : std::string();
    }
    std::string Text(int column) const
    {
        const auto* text = sqlite3_column_text(m_stmt, column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)))
                    : std::string();
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double Real(int column) const { return sqlite3_column_double(m_stmt, column); }

private:
    template <typename Value> void BindAt(int index, const Value& value)
    {
        if constexpr (std::is_integral_v<Value>)
            Bind(index, static_cast<std::int64_t>(value));
        else if constexpr (std::is_floating_point_v<Value>)
            Bind(index, static_cast<double>(value));
        else
            Bind(index, std::string_view(value));
    }

    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace tarvelo
