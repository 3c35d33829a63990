#include "bench/tool/report.h"

#include "bench/store/json_writer.h"

#include <boost/algorithm/string/join.hpp>

namespace velkor {
namespace bench {

void Report::text(const std::string& label, const std::string& key, const std::string& value) {
    fields_.push_back(Field{label, key, Field::Text, value, 0, false, {}});
}

void Report::number(const std::string& label, const std::string& key, long long value,
                    const std::string& shown) {
    fields_.push_back(Field{label,
                            key,
                            Field::Number,
                            shown.empty() ? std::to_string(value) : shown,
                            value,
                            false,
                            {}});
}

void Report::flag(const std::string& label, const std::string& key, bool value, const char* yes,
                  const char* no) {
    fields_.push_back(Field{label, key, Field::Flag, value ? yes : no, 0, value, {}});
}

void Report::list(const std::string& label, const std::string& key,
                  const std::vector<std::string>& values) {
    const std::string shown = values.empty() ? "none" : boost::algorithm::join(values, ", ");
    fields_.push_back(Field{label, key, Field::List, shown, 0, false, values});
}

void Report::null(const std::string& label, const std::string& key, const std::string& shown) {
    fields_.push_back(Field{label, key, Field::Null, shown, 0, false, {}});
}

void Report::print(std::ostream& out, bool json) const {
    if (!json) {
        for (const Field& field : fields_) {
            out << field.label << ": " << field.text << "\n";
        }
        return;
    }
    JsonWriter writer(out);
    writer.beginObject();
    for (const Field& field : fields_) {
        writer.key(field.key);
        switch (field.kind) {
        case Field::Text:
            writer.value(field.text);
            break;
        case Field::Number:
            writer.value(field.number);
            break;
        case Field::Flag:
            writer.value(field.flag);
            break;
        case Field::List:
            writer.beginArray();
            for (const std::string& value : field.list) {
                writer.value(value);
            }
            writer.endArray();
            break;
        case Field::Null:
            writer.null();
            break;
        }
    }
    writer.endObject();
    writer.finish();
}

} // namespace bench
} // namespace velkor
