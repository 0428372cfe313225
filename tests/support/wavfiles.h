#pragma once

#include <QString>

#include <vector>

// Writes real sound files with libsndfile for the tests.
struct ToneSpec {
    int sampleRate = 48000;
    int channels = 2;
    int format = 0; // libsndfile format; 0: 16-bit PCM WAV
    double seconds = 0.2;
    double frequency = 440.0;
};

// Writes a sine tone; returns false when libsndfile refuses the format.
bool writeTone(const QString& path, const ToneSpec& spec = {});
// The tone's first channel as floats, as the test wrote it.
std::vector<float> toneSamples(const ToneSpec& spec);
void writeTextFile(const QString& path, const QByteArray& content);
