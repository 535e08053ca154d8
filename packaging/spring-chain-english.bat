@echo off
rem spring-chain in English: double-click this file, or start it from a console with
rem the options and the dialogue file that spring-chain.exe takes.
cd /d "%~dp0"
spring-chain.exe --lang=en %*
