#include "stores/RecordStore.h"

namespace stores {

namespace {

const StoreValue& emptyValue() {
    static const StoreValue empty;
    return empty;
}

std::optional<qint64> numberIn(const StoreValue& value) {
    if (const auto* number = std::get_if<qint16>(&value))
        return *number;
    if (const auto* number = std::get_if<qint32>(&value))
        return *number;
    if (const auto* text = std::get_if<QString>(&value)) {
        bool ok = false;
        const qint64 number = text->trimmed().toLongLong(&ok);
        if (ok)
            return number;
    }
    return std::nullopt;
}

} // namespace

RecordStore::RecordStore(int fieldCount) : m_fieldCount(fieldCount < 1 ? 1 : fieldCount) {
    clear();
}

bool RecordStore::inUse(int field, int column) const {
    return field >= 0 && field < m_fieldCount && column >= 0 && column < count();
}

bool RecordStore::isNonEmpty() const {
    const StoreValue& first = m_columns.front().front();
    if (std::holds_alternative<std::monostate>(first))
        return false;
    const auto* text = std::get_if<QString>(&first);
    return text == nullptr || !text->isEmpty();
}

const StoreValue& RecordStore::value(int field, int column) const {
    // The spare column is readable too; it is empty by construction.
    if (field < 0 || field >= m_fieldCount || column < 0 || column > count())
        return emptyValue();
    return m_columns[column][field];
}

QString RecordStore::text(int field, int column) const {
    const StoreValue& cell = value(field, column);
    if (const auto* text = std::get_if<QString>(&cell))
        return *text;
    if (const auto* number = std::get_if<qint16>(&cell))
        return QString::number(*number);
    if (const auto* number = std::get_if<qint32>(&cell))
        return QString::number(*number);
    return {};
}

const TextTable* RecordStore::table(int field, int column) const {
    return std::get_if<TextTable>(&value(field, column));
}

void RecordStore::append(std::vector<StoreValue> fields) {
    fields.resize(m_fieldCount);
    m_columns.back() = std::move(fields);
    m_columns.emplace_back(m_fieldCount);
}

void RecordStore::replace(int column, int field, StoreValue value) {
    if (inUse(field, column))
        m_columns[column][field] = std::move(value);
}

void RecordStore::remove(int column) {
    if (column < 0 || column >= count())
        return;
    // Shifting every later column down, the spare last, leaves the old last record column empty
    // and the count one lower.
    for (int i = column; i < count(); ++i)
        m_columns[i] = std::move(m_columns[i + 1]);
    m_columns.pop_back();
}

void RecordStore::clear() {
    m_columns.assign(1, std::vector<StoreValue>(m_fieldCount));
}

std::optional<int> RecordStore::findChannel(int channelNumber) const {
    for (int column = 0; column <= count(); ++column) {
        const auto number = numberIn(m_columns[column][0]);
        if (number && *number == channelNumber)
            return column;
    }
    return std::nullopt;
}

std::optional<int> RecordStore::findMacro(const QString& name) const {
    std::optional<int> found;
    if (name.isEmpty())
        return found;
    for (int column = 0; column <= count(); ++column) {
        const auto* text = std::get_if<QString>(&m_columns[column][0]);
        if (text != nullptr && *text == name)
            found = column;
    }
    return found;
}

QStringList RecordStore::names() const {
    QStringList names;
    if (!isNonEmpty())
        return names;
    for (int column = 0; column < count(); ++column)
        names << text(0, column);
    return names;
}

bool RecordStore::copyOut(int column, int field, TextTable& work) const {
    if (!inUse(field, column))
        return false;
    const TextTable* stored = table(field, column);
    if (stored == nullptr)
        return false;
    work = *stored;
    return true;
}

} // namespace stores
