#include "core/import_pipeline.h"

#include <algorithm>
#include <utility>

#include "core/analytic_transform.h"
#include "core/data_file_messages.h"
#include "core/data_file_probe.h"
#include "core/data_file_reader.h"
#include "core/decimation.h"
#include "core/message_sink.h"
#include "core/messages.h"
#include "core/signal_store.h"

namespace vorenta {
namespace {

constexpr std::uint16_t kLargestDecimation = 10000;

ImportSettingsRequest MakeRequest(const CheckDatas& check) {
  ImportSettingsRequest request;
  request.filePath = check.FileName;
  request.caption = "Структура файла " + std::string(FileNameWithoutFolder(check.FileName)) + " и доп. параметры";
  request.columnCount = check.ColumnCount;
  request.selectorsEnabled = check.ColumnCount >= 2;
  request.proposedColumn1 = request.selectorsEnabled ? check.Column1 : std::int16_t{1};
  request.proposedColumn2 = request.selectorsEnabled ? check.Column2 : std::int16_t{0};
  request.decimation = Decimation;
  return request;
}

// A column of the answer, "not used" (0) when outside the file's columns.
std::int16_t ColumnWithin(std::int16_t column, std::uint16_t columnCount) {
  return column >= 1 && column <= columnCount ? column : std::int16_t{0};
}

// The channel columns the reader takes, from the proposal and the answer.
void ChooseColumns(const ImportSettingsRequest& request, const ImportSettingsAnswer& answer, ReaderDatas& columns) {
  if (!request.selectorsEnabled) {
    columns.SetColumn1(1);
    return;
  }
  // Cancel keeps the proposal rather than reading zeros of the file's length.
  const bool useAnswer = answer.accepted;
  columns.SetColumn1(useAnswer ? ColumnWithin(answer.column1, request.columnCount) : request.proposedColumn1);
  columns.SetColumn2(useAnswer ? ColumnWithin(answer.column2, request.columnCount) : request.proposedColumn2);
}

ImportResult Refuse(const std::string& message) {
  ShowMessage(message);
  return {};
}

}  // namespace

ImportResult ImportDataFile(const std::string& filePath, const ImportSettingsStep& settingsStep) {
  CheckDatas check;
  if (ProbeFile(check, filePath) == 0) return {};

  ReaderDatas columns(check);
  const ImportSettingsRequest request = MakeRequest(check);
  const ImportSettingsAnswer answer = settingsStep(request);
  ChooseColumns(request, answer, columns);
  const std::uint16_t factor = std::clamp<std::uint16_t>(answer.decimation, 1, kLargestDecimation);
  if (columns.Column1 == 0 && columns.Column2 == 0) return Refuse(kNoChannelColumnMessage);

  AnalyticSignalClass signal = ReadDataFile(columns);
  if (signal.Channel1.Count() == 0) return {};
  if (signal.Channel1.Count() < factor) return Refuse(kTooFewRowsForDecimationMessage);
  const std::int32_t length = DecimateSignal(signal, factor);
  if (length <= 0) return {};
  if (answer.removeDcOffset) RemoveChannelMeans(signal, 0, length - 1);
  const bool oneColumnRead = columns.Column1 == 0 || columns.Column2 == 0;
  if (answer.analyticTransform && oneColumnRead && !ApplyAnalyticTransform(signal, columns)) return {};

  // Nothing can fail from here on: the store and the settings change together.
  SignalStore = std::move(signal);
  SignalLength = static_cast<std::uint32_t>(length);
  SelectionStart = CropStart = 0;
  SelectionEnd = CropEnd = length - 1;
  Decimation = factor;
  RemoveDcOffset = answer.removeDcOffset;
  AnalyticTransform = answer.analyticTransform;
  Channel1Present = columns.Column2 == 0 || columns.Column1 != 0;
  Channel2Present = columns.Column2 != 0;

  ImportResult result;
  result.loaded = true;
  result.windowCaption = filePath;
  result.channel1Present = Channel1Present;
  result.channel2Present = Channel2Present;
  result.decimation = factor;
  result.samplingFrequency = 1.0 / factor;
  result.signalLength = SignalLength;
  return result;
}

}  // namespace vorenta
