<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>rivex::ui::ConditionsHistory</name>
    <message>
        <location filename="../conditions_history.cpp" line="69"/>
        <source>元に戻す	Ctrl+Z</source>
        <translation>Undo	Ctrl+Z</translation>
    </message>
    <message>
        <location filename="../conditions_history.cpp" line="70"/>
        <source>やり直し	Ctrl+Y</source>
        <translation>Redo	Ctrl+Y</translation>
    </message>
</context>
<context>
    <name>rivex::ui::RecordView</name>
    <message>
        <location filename="../record_view.cpp" line="331"/>
        <source>%1 桁目</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <location filename="../record_view.cpp" line="341"/>
        <source>&#x3000;ﾚｺｰﾄﾞ %1&#x3000;バイト 0x%2&#x3000;文字「%3」</source>
        <translation>, record %1, byte 0x%2, character &quot;%3&quot;</translation>
    </message>
    <message>
        <location filename="../record_view.cpp" line="347"/>
        <source>（%1～%2 桁目）</source>
        <translation> (columns %1-%2)</translation>
    </message>
    <message>
        <location filename="../record_view.cpp" line="362"/>
        <source>ﾚｺｰﾄﾞを読んでいます…</source>
        <translation>Reading the records…</translation>
    </message>
    <message>
        <location filename="../record_view.cpp" line="467"/>
        <source>→</source>
        <translation>→</translation>
    </message>
</context>
<context>
    <name>rivex::ui::StringGrid</name>
    <message>
        <location filename="../string_grid.cpp" line="187"/>
        <source>行の挿入</source>
        <translation>Insert row</translation>
    </message>
    <message>
        <location filename="../string_grid.cpp" line="188"/>
        <source>行の削除</source>
        <translation>Delete row</translation>
    </message>
</context>
<context>
    <name>rivex::ui::TForm1</name>
    <message>
        <location filename="../Rivex1.cpp" line="43"/>
        <source>抽出条件 (*.rivex.json)</source>
        <translation>Conditions (*.rivex.json)</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="46"/>
        <source>すべてのファイル(＠….*) (*)</source>
        <translation>All files (@….*) (*)</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="50"/>
        <location filename="../Rivex1.cpp" line="251"/>
        <source>シフトJIS</source>
        <translation>Shift-JIS</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="143"/>
        <source>テキストレコードの抽出 ( Rivex 1.03 )</source>
        <translation>Text record extraction ( Rivex 1.03 )</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="181"/>
        <source> ファイルの選択 </source>
        <translation> Files </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="182"/>
        <source>元ﾌｧｲﾙの選択</source>
        <translation>Source file...</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="183"/>
        <source>元になるﾃｷｽﾄﾌｧｲﾙ</source>
        <translation>The text file to extract from</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="184"/>
        <source>ﾌｧｲﾙ名：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="186"/>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="187"/>
        <source>元ﾌｧｲﾙのﾚｺｰﾄﾞを表示します</source>
        <translation>Shows the records of the source file</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="189"/>
        <source>( 元ファイルで＠を使う場合は下のファイル名を直します )</source>
        <translation>( For a source name with @, edit the name below )</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="193"/>
        <source>抽出ﾌｧｲﾙの選択</source>
        <translation>Output file...</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="194"/>
        <source>抽出されたﾌｧｲﾙ</source>
        <translation>The file the records are written to</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="200"/>
        <source> 参&#x3000;考 </source>
        <translation> Times </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="201"/>
        <source>開始時間：</source>
        <translation>Started:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="203"/>
        <source>終了時間：</source>
        <translation>Ended:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="211"/>
        <source> ファイルの改行・文字コード・形式 </source>
        <translation> Line ends, encoding, format </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="212"/>
        <source>元の改行：</source>
        <translation>Source end:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="213"/>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="214"/>
        <source>元ﾌｧｲﾙのﾚｺｰﾄﾞの終わり。自動はCRのあとにないLFが多いﾌｧｲﾙをLFで読みます</source>
        <translation>How the source&apos;s records end. Auto reads a file by LF when most of its LFs follow no CR</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="215"/>
        <source>抽出の改行：</source>
        <translation>Output end:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="216"/>
        <source>元に合わせる</source>
        <translation>As source</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="217"/>
        <source>抽出ﾌｧｲﾙのﾚｺｰﾄﾞのあとに付ける改行</source>
        <translation>The line end written after each output record</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="218"/>
        <source>文字コード：</source>
        <translation>Encoding:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="221"/>
        <source>ﾚｺｰﾄﾞの文字コード。指定したｺｰﾄﾞもこれに変えて比べます</source>
        <translation>The records&apos; encoding; typed codes are converted into it to compare</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="225"/>
        <source>・元の改行が「自動」のときは、ﾌｧｲﾙの先頭 64KB の LF のうち、CR のあとにないものが多ければ LF で、そうでなければ CR でﾚｺｰﾄﾞを区切ります。

・「元に合わせる」は、CR で読んだﾌｧｲﾙには CR LF を、LF で読んだﾌｧｲﾙには LF を各ﾚｺｰﾄﾞのあとに付けます。

・文字コードが UTF-8 のときは、入力したｺｰﾄﾞも UTF-8 のまま比べます。

・どれもﾌｧｲﾙごとに決まり、実行状況の画面に読んだ改行が出ます。</source>
        <translation>• With &quot;Auto&quot;, records end at LF when most LFs in the first 64 KB of the file follow no CR, and at CR otherwise.

• &quot;As source&quot; writes CR LF after each record of a file read by CR, and LF for one read by LF.

• With UTF-8, typed codes are compared as UTF-8.

• Each is decided per file; the progress window shows the line end read.</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="236"/>
        <source>条件の保存</source>
        <translation>Save...</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="237"/>
        <source>画面の条件をﾌｧｲﾙに保存します</source>
        <translation>Saves the conditions on the screen to a file</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="238"/>
        <source>条件の読込</source>
        <translation>Load...</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="240"/>
        <source>保存した条件を画面に読み込みます。ﾌｧｲﾙをこの画面に落としても読み込みます</source>
        <translation>Loads saved conditions; dropping the file on this window loads it too</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="245"/>
        <source>抽出の形式：</source>
        <translation>Format:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="246"/>
        <source>固定長</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="247"/>
        <source>固定長は項目を続けて、CSV はｶﾝﾏで、TSV はﾀﾌﾞで区切って書きます</source>
        <translation>Fixed writes the fields one after another; CSV separates them with commas, TSV with tabs</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="248"/>
        <source>抽出のｺｰﾄﾞ：</source>
        <translation>Write in:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="251"/>
        <source>元と同じ</source>
        <translation>As source</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="251"/>
        <source>UTF-8 BOM付</source>
        <translation>UTF-8 BOM</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="252"/>
        <source>抽出ﾌｧｲﾙの文字コード。表計算ｿﾌﾄには BOM 付きの UTF-8 が確実です</source>
        <translation>The output's encoding; spreadsheets read UTF-8 surely with a byte order mark (BOM)</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="253"/>
        <source>値の前後の空白を除く</source>
        <translation>Trim blanks</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="254"/>
        <source>CSV と TSV の値から、前後の半角と全角の空白を除きます</source>
        <translation>Takes half- and full-width blanks off both ends of CSV and TSV values</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="255"/>
        <source>見出し行を付ける</source>
        <translation>Header row</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="256"/>
        <source>CSV と TSV の先頭に項目名の行を付けます</source>
        <translation>Begins CSV and TSV with a row of the column names</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="263"/>
        <source> 抽出の条件 </source>
        <translation> Conditions </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="265"/>
        <source>下のタブをクリックしてそれぞれに指定してください。</source>
        <translation>Click each tab below and fill it in.</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="270"/>
        <source>&#x3000;フィールド項目の抽出&#x3000;</source>
        <translation>  Fields  </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="271"/>
        <source>&#x3000;レコードの抽出&#x3000;</source>
        <translation>  Records  </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="278"/>
        <source>すべての項目を抽出する</source>
        <translation>Whole records</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="279"/>
        <source>指定した項目を抽出する</source>
        <translation>Listed fields</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="280"/>
        <source>フィールド項目の位置：</source>
        <translation>Field columns:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="282"/>
        <source>|&lt;---- 繰り返しのとき ----&gt;|</source>
        <translation>|&lt;------ to repeat ------&gt;|</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="292"/>
        <source>ﾚｺｰﾄﾞ抽出の種類：</source>
        <translation>Records to extract:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="293"/>
        <source>すべてを抽出</source>
        <translation>All records</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="294"/>
        <source>カウントで抽出</source>
        <translation>By record number</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="295"/>
        <source>コードで抽出</source>
        <translation>By code</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="296"/>
        <source>キー位置：</source>
        <translation>Key:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="298"/>
        <location filename="../Rivex1.cpp" line="672"/>
        <source>コード：</source>
        <translation>Codes:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="300"/>
        <source>左のコード以外を抽出する</source>
        <translation>Records whose code is not listed</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="306"/>
        <source> 元ﾌｧｲﾙでのｺｰﾄﾞの出現状況 </source>
        <translation> How the codes stand in the source </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="307"/>
        <source>( あいまいならﾁｪｯｸしなくてよい )</source>
        <translation>( leave Unknown when unsure )</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="308"/>
        <source>ｺｰﾄﾞの順番：</source>
        <translation>Code order:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="309"/>
        <source>わからない</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="310"/>
        <source>順番でまとまっている</source>
        <translation>In order, grouped</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="311"/>
        <source>順番だが散らばっている</source>
        <translation>In order, scattered</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="315"/>
        <source> 実&#x3000;行 </source>
        <translation> Run </translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="316"/>
        <source>抽出する</source>
        <translation>Extract</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="317"/>
        <source>実行開始です</source>
        <translation>Starts the extraction</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="318"/>
        <source>レコード数一覧</source>
        <translation>Record counts</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="319"/>
        <source>実行結果を表示します</source>
        <translation>Shows the record counts of the run</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="320"/>
        <source>終わり</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="321"/>
        <source>ﾌﾟﾛｸﾞﾗﾑを終ります</source>
        <translation>Ends the program</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="322"/>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="323"/>
        <source>元ﾌｧｲﾙﾚｺｰﾄﾞ数：</source>
        <translation>Records read:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="325"/>
        <source>全抽出ﾚｺｰﾄﾞ数：</source>
        <translation>Records written:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="328"/>
        <source>( 途中までの場合があります )</source>
        <translation>( reading may have stopped early )</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="421"/>
        <source>左位置</source>
        <translation>Left</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="422"/>
        <source>右位置</source>
        <translation>Right</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="423"/>
        <source>次の左位置</source>
        <translation>Next left</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="424"/>
        <source>ﾗｽﾄ左位置</source>
        <translation>Last left</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="425"/>
        <source>項目名</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="427"/>
        <source>&#x3000;はじめ</source>
        <translation> From</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="428"/>
        <source>&#x3000;おわり</source>
        <translation> To</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="666"/>
        <source>ｶｳﾝﾄ数：</source>
        <translation>Numbers:</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="666"/>
        <source>先頭からのｶｳﾝﾄ数</source>
        <translation>Record numbers, counted from the first</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="666"/>
        <source>&#x3000;始めカウント</source>
        <translation> From number</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="667"/>
        <source>&#x3000;終りカウント</source>
        <translation> To number</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="672"/>
        <source>ｷｰ位置にある項目の符号</source>
        <translation>The codes found at the key columns</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="672"/>
        <source>&#x3000;始めコード</source>
        <translation> From code</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="673"/>
        <source>&#x3000;終りコード</source>
        <translation> To code</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="702"/>
        <source>** キー位置の指定がありません。</source>
        <translation>** No key columns are given.</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="713"/>
        <source>** 本当にこの指定でよいのですか。<byte value="xd"/>
    あいまいなら「わからない」にします。</source>
        <translation>** Are you sure of this choice?<byte value="xd"/>
    When unsure, choose &quot;Unknown&quot;.</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="763"/>
        <source>** 元ファイルの指定がありません。</source>
        <translation>** No source file is given.</translation>
    </message>
    <message>
        <location filename="../Rivex1.cpp" line="825"/>
        <source>**「条件の保存」が終わりました。</source>
        <translation>** The conditions are saved.</translation>
    </message>
</context>
<context>
    <name>rivex::ui::TForm2</name>
    <message>
        <location filename="../Rivex2.cpp" line="29"/>
        <source>実行状況…</source>
        <translation>Progress…</translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="33"/>
        <source>&#x3000;実行中です。しばらくお待ちください…&#x3000;</source>
        <translation> Extracting. Please wait... </translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="36"/>
        <source>＠文字：</source>
        <translation>@ text:</translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="38"/>
        <source>経過時間：</source>
        <translation>Elapsed:</translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="41"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="48"/>
        <source>元ﾌｧｲﾙのﾚｺｰﾄﾞの終わりをこの改行で読んでいます</source>
        <translation>The source&apos;s records are read as ending at this line end</translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="76"/>
        <source>読込レコード数：</source>
        <translation>Records read: </translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="78"/>
        <source>改行：</source>
        <translation>Line end: </translation>
    </message>
    <message>
        <location filename="../Rivex2.cpp" line="115"/>
        <source>キャンセルしますか？</source>
        <translation>Cancel the extraction?</translation>
    </message>
</context>
<context>
    <name>rivex::ui::TForm3</name>
    <message>
        <location filename="../Rivex3.cpp" line="27"/>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <location filename="../Rivex3.cpp" line="37"/>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../Rivex3.cpp" line="38"/>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../Rivex3.cpp" line="39"/>
        <source>範囲指定してからコピーします</source>
        <translation>Select text, then copy it</translation>
    </message>
    <message>
        <location filename="../Rivex3.cpp" line="67"/>
        <source>**「ｺﾋﾟｰ」が終わりました。</source>
        <translation>** &quot;Copy&quot; is done.</translation>
    </message>
</context>
<context>
    <name>rivex::ui::TForm4</name>
    <message>
        <location filename="../Rivex4.cpp" line="25"/>
        <source>最初の</source>
        <translation>First</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="26"/>
        <source>つぎの</source>
        <translation>Next</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="47"/>
        <source>＠文字の入力</source>
        <translation>Text for @</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="63"/>
        <source>＠に相当する文字を入力してください。数字の場合は</source>
        <translation>Type the text that stands for @. Numbers can</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="65"/>
        <source>範囲指定ができます。これが最後の指定ならチェック</source>
        <translation>be a range. If this is the last one, check the box,</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="67"/>
        <source>してから[次へ]を押します。(入力文字は８桁以内)</source>
        <translation>then press [Next]. (At most 8 characters.)</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="74"/>
        <source>を処理しました。</source>
        <translation> is done.</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="77"/>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="80"/>
        <source>これが最後の指定です</source>
        <translation>This is the last one</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="82"/>
        <source>次&#x3000;へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <location filename="../Rivex4.cpp" line="117"/>
        <source>＠に相当する文字：</source>
        <translation> text for @:</translation>
    </message>
</context>
<context>
    <name>rivex::ui::TForm5</name>
    <message>
        <location filename="../Rivex5.cpp" line="36"/>
        <source>レコード数一覧</source>
        <translation>Record counts</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="41"/>
        <source>全抽出レコード数：</source>
        <translation>Records written:</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="44"/>
        <source>レコード数一覧：</source>
        <translation>Record counts:</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="67"/>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="67"/>
        <source>ﾏｳｽで範囲指定してからｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ</source>
        <translation>Select with the mouse, then copy to the clipboard</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="68"/>
        <source>印&#x3000;刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="68"/>
        <source>ﾌﾟﾘﾝﾀｰに出力します</source>
        <translation>Prints the record counts</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="69"/>
        <source>保&#x3000;存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="69"/>
        <source>ﾌｧｲﾙに出力します</source>
        <translation>Saves the record counts to a file</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="70"/>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="70"/>
        <source>この画面を閉じます</source>
        <translation>Closes this window</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="117"/>
        <source>**「ｺﾋﾟｰ」が終わりました。</source>
        <translation>** &quot;Copy&quot; is done.</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="137"/>
        <source>** プリンターが用意されていません。</source>
        <translation>** No printer is set up.</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="141"/>
        <source>**「印刷」が終わりました。</source>
        <translation>** &quot;Print&quot; is done.</translation>
    </message>
    <message>
        <location filename="../Rivex5.cpp" line="152"/>
        <source>**「保存」が終わりました。</source>
        <translation>** &quot;Save&quot; is done.</translation>
    </message>
</context>
<context>
    <name>rivex::ui::TForm6</name>
    <message>
        <location filename="../Rivex6.cpp" line="80"/>
        <source>レコードの表示</source>
        <translation>Records</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="99"/>
        <source>「テキストレコードの抽出」の文字コードを変えます</source>
        <translation>Changes the encoding in the main window</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="159"/>
        <source>元ﾌｧｲﾙ：</source>
        <translation>Source:</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="164"/>
        <source>＠相当文字：</source>
        <translation>Text for @:</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="165"/>
        <source>元ﾌｧｲﾙ名の＠に入れて表示する文字</source>
        <translation>The text put for @ in the source name to show a file</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="181"/>
        <source>ﾚｺｰﾄﾞ番号：</source>
        <translation>Record:</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="183"/>
        <source>この番号のﾚｺｰﾄﾞを先頭に表示します</source>
        <translation>Shows the record of this number at the top</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="185"/>
        <source>移動</source>
        <translation>Go</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="186"/>
        <source>ものさしのﾄﾞﾗｯｸﾞで：</source>
        <translation>A drag on the ruler:</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="187"/>
        <source>項目を追加</source>
        <translation>Adds a field</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="188"/>
        <source>ﾄﾞﾗｯｸﾞした桁をﾌｨｰﾙﾄﾞ項目の次の行にします</source>
        <translation>Puts the dragged columns in the next field row</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="190"/>
        <source>繰り返し (Shift)</source>
        <translation>Repeat (Shift)</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="191"/>
        <source>ﾄﾞﾗｯｸﾞした桁を最後の項目の次の左位置にし、ﾗｽﾄ左位置を先頭ﾚｺｰﾄﾞに入る最後の繰り返しにします</source>
        <translation>Makes the dragged column the last field&apos;s Next left, and its Last left the last repetition the first record holds</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="193"/>
        <source>キー位置 (Ctrl)</source>
        <translation>Key (Ctrl)</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="194"/>
        <source>ﾄﾞﾗｯｸﾞした桁をキー位置に加えます</source>
        <translation>Adds the dragged columns to the key columns</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="245"/>
        <location filename="../Rivex6.cpp" line="371"/>
        <source>抽出の見本：</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="261"/>
        <source>抽出の見本：この条件では抽出できません</source>
        <translation>Preview: these conditions cannot extract</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="274"/>
        <source>抽出の見本：元ﾌｧｲﾙを読んでいます…</source>
        <translation>Preview: reading the source…</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="308"/>
        <source>抽出の見本：元ﾌｧｲﾙの %1 ﾚｺｰﾄﾞから %2 ﾚｺｰﾄﾞ（改行 %3）</source>
        <translation>Preview: %2 records from %1 of the source (line end %3)</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="312"/>
        <source>&#x3000;先頭 64MB までを読みました</source>
        <translation>  (the first 64 MB read)</translation>
    </message>
    <message>
        <location filename="../line_rule_shown.cpp" line="12"/>
        <source>（自動判定）</source>
        <translation> (auto)</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="358"/>
        <source>改行：%1&#x3000;文字コード：%2</source>
        <translation>Line end: %1   Encoding: %2</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="372"/>
        <source>** 元ﾌｧｲﾙ名の＠に入れる文字を「＠相当文字」に入れてください。</source>
        <translation>** Type the text for @ of the source name in &quot;Text for @&quot;.</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="381"/>
        <source>文字を途中で切る境界：表示中の %1 ﾚｺｰﾄﾞ</source>
        <translation>A boundary cuts a character in %1 of the records shown</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="389"/>
        <source>このﾌｧｲﾙは %1 ではなく %2 のようです。</source>
        <translation>This file looks like %2, not %1.</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="393"/>
        <source>%1 ﾊﾞｲﾄ目の 0x1A はﾌｧｲﾙの終わりの印です。ﾚｺｰﾄﾞはその前で終わり、その後は読みません。</source>
        <translation>The 0x1A at byte %1 marks the end of the file: records end before it, and nothing after it is read.</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="398"/>
        <source>%1 ﾊﾞｲﾄより長いﾚｺｰﾄﾞは先頭の %1 ﾊﾞｲﾄだけを表示します（抽出はﾚｺｰﾄﾞ全体を読みます）。</source>
        <translation>Records longer than %1 bytes show their first %1 bytes only (an extraction reads them whole).</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="402"/>
        <source>&#x3000;</source>
        <translation> </translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="406"/>
        <source>%1 で読む</source>
        <translation>Read as %1</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="436"/>
        <source>** 繰り返すﾌｨｰﾙﾄﾞ項目がありません。先に項目をﾄﾞﾗｯｸﾞしてください。</source>
        <translation>** No field to repeat. Drag a field first.</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="442"/>
        <source>** 繰り返しは、最後の項目の左位置より右からﾄﾞﾗｯｸﾞしてください。</source>
        <translation>** Drag a repetition right of the last field&apos;s left column.</translation>
    </message>
    <message>
        <location filename="../Rivex6.cpp" line="455"/>
        <source>** ﾚｺｰﾄﾞ番号は 1 以上の数字で指定してください。</source>
        <translation>** Give a record number of 1 or more.</translation>
    </message>
</context>
</TS>
