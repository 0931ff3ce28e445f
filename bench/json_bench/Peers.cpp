#include "Peers.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <boost/json.hpp>
#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>
#include <stdexcept>

#include "json/Parser.h"
#include "json/Serializer.h"

namespace bench {

namespace {

// ---- this project -------------------------------------------------------------------------
double walkValue(const json::Value& v) {
  switch (v.type()) {
    case json::Type::Null: return 1;
    case json::Type::Bool: return v.boolValue() ? 2 : 3;
    case json::Type::Int:
    case json::Type::UInt:
    case json::Type::Double: return v.doubleValue();
    case json::Type::String: return static_cast<double>(v.stringValue().size());
    case json::Type::Array: {
      double sum = 0;
      for (const json::Value e : v.elements()) sum += walkValue(e);
      return sum;
    }
    case json::Type::Object: {
      double sum = 0;
      for (const json::Member& m : v.members()) sum += static_cast<double>(m.key.size()) + walkValue(m.value());
      return sum;
    }
  }
  return 0;
}

class OwnDocument : public ParsedDocument {
 public:
  explicit OwnDocument(json::Document d) : m_document(std::move(d)) {}
  double walk() const override { return walkValue(m_document.root()); }
  std::size_t write() const override { return json::serialize(m_document.root()).value().size(); }

 private:
  json::Document m_document;
};

class OwnCodec : public Codec {
 public:
  const char* name() const override { return "tb_json"; }
  std::unique_ptr<ParsedDocument> parse(const std::string& text) override {
    auto document = json::parse(text);
    if (!document) throw std::runtime_error(document.error().message);
    return std::make_unique<OwnDocument>(std::move(document).value());
  }
};

// ---- RapidJSON (default flags: no UTF-8 validation, fast but not full-precision doubles) ----
template <class V>
double walkRapid(const V& v) {
  if (v.IsNull()) return 1;
  if (v.IsBool()) return v.GetBool() ? 2 : 3;
  if (v.IsNumber()) return v.GetDouble();
  if (v.IsString()) return static_cast<double>(v.GetStringLength());
  double sum = 0;
  if (v.IsArray()) {
    for (const auto& e : v.GetArray()) sum += walkRapid(e);
  } else {
    for (const auto& m : v.GetObject()) sum += static_cast<double>(m.name.GetStringLength()) + walkRapid(m.value);
  }
  return sum;
}

class RapidDocument : public ParsedDocument {
 public:
  rapidjson::Document document;
  double walk() const override { return walkRapid(document); }
  std::size_t write() const override {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    document.Accept(writer);
    return buffer.GetSize();
  }
};

class RapidCodec : public Codec {
 public:
  const char* name() const override { return "RapidJSON"; }
  std::unique_ptr<ParsedDocument> parse(const std::string& text) override {
    auto d = std::make_unique<RapidDocument>();
    d->document.Parse(text.data(), text.size());
    if (d->document.HasParseError()) throw std::runtime_error("RapidJSON parse error");
    return d;
  }
};

// ---- nlohmann-json ------------------------------------------------------------------------
double walkNlohmann(const nlohmann::json& v) {
  switch (v.type()) {
    case nlohmann::json::value_t::null: return 1;
    case nlohmann::json::value_t::boolean: return v.get<bool>() ? 2 : 3;
    case nlohmann::json::value_t::string: return static_cast<double>(v.get_ref<const std::string&>().size());
    case nlohmann::json::value_t::array: {
      double sum = 0;
      for (const auto& e : v) sum += walkNlohmann(e);
      return sum;
    }
    case nlohmann::json::value_t::object: {
      double sum = 0;
      for (const auto& [key, value] : v.items()) sum += static_cast<double>(key.size()) + walkNlohmann(value);
      return sum;
    }
    default: return v.get<double>();
  }
}

class NlohmannDocument : public ParsedDocument {
 public:
  nlohmann::json document;
  double walk() const override { return walkNlohmann(document); }
  std::size_t write() const override { return document.dump().size(); }
};

class NlohmannCodec : public Codec {
 public:
  const char* name() const override { return "nlohmann"; }
  std::unique_ptr<ParsedDocument> parse(const std::string& text) override {
    auto d = std::make_unique<NlohmannDocument>();
    d->document = nlohmann::json::parse(text);
    return d;
  }
};

// ---- simdjson DOM (one parser reused, as its documentation advises) ------------------------
double walkSimd(simdjson::dom::element v) {
  switch (v.type()) {
    case simdjson::dom::element_type::NULL_VALUE: return 1;
    case simdjson::dom::element_type::BOOL: return bool(v) ? 2 : 3;
    case simdjson::dom::element_type::INT64: return static_cast<double>(int64_t(v));
    case simdjson::dom::element_type::UINT64: return static_cast<double>(uint64_t(v));
    case simdjson::dom::element_type::DOUBLE: return double(v);
    case simdjson::dom::element_type::STRING: return static_cast<double>(std::string_view(v).size());
    case simdjson::dom::element_type::ARRAY: {
      double sum = 0;
      for (simdjson::dom::element e : simdjson::dom::array(v)) sum += walkSimd(e);
      return sum;
    }
    case simdjson::dom::element_type::OBJECT: {
      double sum = 0;
      for (simdjson::dom::key_value_pair m : simdjson::dom::object(v)) sum += static_cast<double>(m.key.size()) + walkSimd(m.value);
      return sum;
    }
  }
  return 0;
}

class SimdDocument : public ParsedDocument {
 public:
  simdjson::dom::element root;
  double walk() const override { return walkSimd(root); }
  std::size_t write() const override { return simdjson::to_string(root).size(); }
};

class SimdCodec : public Codec {
 public:
  const char* name() const override { return "simdjson"; }
  std::unique_ptr<ParsedDocument> parse(const std::string& text) override {
    // The document lives in the parser, so each parse needs a parser of its own to be kept.
    // Reuse one while the caller discards documents right away (the parse benchmark).
    auto d = std::make_unique<SimdDocument>();
    simdjson::dom::element root;
    if (m_parser.parse(text.data(), text.size(), true).get(root)) throw std::runtime_error("simdjson parse error");
    d->root = root;
    return d;
  }

 private:
  simdjson::dom::parser m_parser;
};

// ---- Boost.JSON ---------------------------------------------------------------------------
double walkBoost(const boost::json::value& v) {
  switch (v.kind()) {
    case boost::json::kind::null: return 1;
    case boost::json::kind::bool_: return v.get_bool() ? 2 : 3;
    case boost::json::kind::int64: return static_cast<double>(v.get_int64());
    case boost::json::kind::uint64: return static_cast<double>(v.get_uint64());
    case boost::json::kind::double_: return v.get_double();
    case boost::json::kind::string: return static_cast<double>(v.get_string().size());
    case boost::json::kind::array: {
      double sum = 0;
      for (const auto& e : v.get_array()) sum += walkBoost(e);
      return sum;
    }
    case boost::json::kind::object: {
      double sum = 0;
      for (const auto& m : v.get_object()) sum += static_cast<double>(m.key().size()) + walkBoost(m.value());
      return sum;
    }
  }
  return 0;
}

class BoostDocument : public ParsedDocument {
 public:
  boost::json::value document;
  double walk() const override { return walkBoost(document); }
  std::size_t write() const override { return boost::json::serialize(document).size(); }
};

class BoostCodec : public Codec {
 public:
  const char* name() const override { return "Boost.JSON"; }
  std::unique_ptr<ParsedDocument> parse(const std::string& text) override {
    auto d = std::make_unique<BoostDocument>();
    d->document = boost::json::parse(text);
    return d;
  }
};

// ---- QJsonDocument ------------------------------------------------------------------------
double walkQt(const QJsonValue& v) {
  switch (v.type()) {
    case QJsonValue::Null: return 1;
    case QJsonValue::Bool: return v.toBool() ? 2 : 3;
    case QJsonValue::Double: return v.toDouble();
    case QJsonValue::String: return static_cast<double>(v.toString().size());
    case QJsonValue::Array: {
      double sum = 0;
      const QJsonArray array = v.toArray();
      for (const QJsonValue e : array) sum += walkQt(e);
      return sum;
    }
    case QJsonValue::Object: {
      double sum = 0;
      const QJsonObject object = v.toObject();
      for (auto it = object.begin(); it != object.end(); ++it) sum += static_cast<double>(it.key().size()) + walkQt(it.value());
      return sum;
    }
    default: return 0;
  }
}

class QtDocument : public ParsedDocument {
 public:
  QJsonDocument document;
  double walk() const override {
    return document.isArray() ? walkQt(QJsonValue(document.array())) : walkQt(QJsonValue(document.object()));
  }
  std::size_t write() const override { return static_cast<std::size_t>(document.toJson(QJsonDocument::Compact).size()); }
};

class QtCodec : public Codec {
 public:
  const char* name() const override { return "QJsonDocument"; }
  std::unique_ptr<ParsedDocument> parse(const std::string& text) override {
    auto d = std::make_unique<QtDocument>();
    QJsonParseError error;
    d->document = QJsonDocument::fromJson(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) throw std::runtime_error("QJsonDocument parse error");
    return d;
  }
};

}  // namespace

std::vector<std::unique_ptr<Codec>> makeCodecs() {
  std::vector<std::unique_ptr<Codec>> codecs;
  codecs.push_back(std::make_unique<OwnCodec>());
  codecs.push_back(std::make_unique<RapidCodec>());
  codecs.push_back(std::make_unique<SimdCodec>());
  codecs.push_back(std::make_unique<BoostCodec>());
  codecs.push_back(std::make_unique<QtCodec>());
  codecs.push_back(std::make_unique<NlohmannCodec>());
  return codecs;
}

}  // namespace bench
