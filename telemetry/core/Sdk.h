// The analytics core: validates, builds and stages records. One instance per
// process; every operation does nothing (or returns false) without one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "telemetry/core/PropertiesNode.h"
#include "telemetry/core/RecordQueue.h"

namespace telemetry_core {

class Sdk {
 public:
  static bool Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
                   bool isLoginId);
  static void Shutdown();
  static Sdk* Instance();

  static bool Track(const std::string& event, const PropertiesNode& properties);
  static bool Track(const std::string& event);
  static bool TrackSignup(const std::string& loginId);
  static bool TrackWithInstallSource(const std::string& event, const PropertiesNode& properties);

  static bool ProfileSet(const PropertiesNode& properties);
  static bool ProfileSet(const std::string& key, const std::string& value);
  static bool ProfileSet(const std::string& key, int value);
  static bool ProfileSet(const std::string& key, double value);
  static bool ProfileSetOnce(const PropertiesNode& properties);
  static bool ProfileSetOnce(const std::string& key, const std::string& value);
  static bool ProfileSetOnce(const std::string& key, int value);
  static bool ProfileSetOnce(const std::string& key, double value);
  static bool ProfileIncrement(const PropertiesNode& properties);
  static bool ProfileIncrement(const std::string& key, int value);
  static bool ProfileAppend(const std::string& key, const std::string& value);

  static void RegisterSuperProperties(const PropertiesNode& properties);
  static void SetIdentity(const std::string& distinctId, bool isLoginId);

  static bool AddEvent(const std::string& type, const std::string& event, const PropertiesNode& properties,
                       const std::string& distinctId, const std::string& originalId);

  RecordQueue& Queue() { return *queue_; }
  const std::string& DistinctId() const { return distinctId_; }
  bool IsLoginId() const { return isLoginId_; }
  const PropertiesNode& SuperProperties() const { return *superProperties_; }

  ~Sdk();

 private:
  Sdk(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId, bool isLoginId);

  std::unique_ptr<PropertiesNode> superProperties_;
  std::string distinctId_;
  bool isLoginId_;
  std::unique_ptr<RecordQueue> queue_;
};

}  // namespace telemetry_core
